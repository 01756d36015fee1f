#pragma once
// Reads the main window's tag panel and pattern boxes into the plain record of the name engine.
#include "zarn/names/fixfilename.h"

class QWidget;

// The boxes are found by their names among the children of `window`; a missing box reads empty.
NameFields PanelNameFields(const QWidget* window);

// FixFileName2 of the file at `path` with the panel of `window`.
QString PanelNewName(const QWidget* window, const QString& path, const Options& options);
