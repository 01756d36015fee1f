#pragma once
// The clean-up rules for new file names and for tag texts, each switched by an Options member.
#include <QString>

#include "zarn/shell/options.h"

// Removes every character of `set` from `text`; with `keepOnly`, keeps only those characters.
QString RemoveChars(const QString& text, const QString& set, bool keepOnly = false);

// Uppercases the first character and the first letter or digit after every blank, "+", "-" or
// ".". Other characters stay as they are.
void CapitaliseWords(QString& text);

// First character uppercase, the rest lowercase.
QString FirstUpperRestLower(const QString& text);

// A tag text cleaned by every rule that is switched on.
QString FixTagText(const QString& text, const Options& options);

// The clean-up of a freshly built file name, from removing characters to the extension.
QString CleanNewName(const QString& name, const Options& options);

// The "Fix common misstakes." repairs of a file name.
QString FixNameMistakes(const QString& name);

// Every pair of `list`, in order, applied to the whole text (case-sensitive).
QString ApplyReplaceList(const QString& text, const ReplaceList& list);
