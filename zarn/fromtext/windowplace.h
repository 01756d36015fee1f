#pragma once
class QWidget;

// Puts a window in the middle of the screen's free area, as both windows of this folder open.
void CentreOnScreen(QWidget* window);
