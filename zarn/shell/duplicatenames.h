#pragma once
// Which rows of a list of new names share their name with another row (letter case aside, as
// a folder on a case-blind disk sees it): the preview marks them, since sorting them into one
// folder makes them collide. Kept in step with the list row by row, so a change costs the rows
// it touches, not the whole list.
#include <QHash>
#include <QObject>

class TextListModel;

class DuplicateNames : public QObject {
  public:
    explicit DuplicateNames(const TextListModel& names);
    bool isDuplicate(int row) const;

  private:
    void count(int first, int last, int step);
    void recount();

    const TextListModel& m_names;
    QHash<QString, int> m_counts;  // rows per case-folded name
};
