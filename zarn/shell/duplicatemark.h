#pragma once
// Marks the rows of a list whose new name another row also gets: a reddish background and a
// tool tip that says why.
class DuplicateNames;
class QAbstractItemView;

void MarkDuplicateRows(QAbstractItemView* view, const DuplicateNames& names);
