#include "zarn/names/replacelist.h"

#include "zarn/shell/textfile.h"

ReplaceList ReadReplaceList(const QString& path) {
    const QStringList lines = ReadTextLines(path, /*createWhenMissing=*/true);
    ReplaceList list;
    for (qsizetype i = 0; i < lines.size(); i += 2)
        list.append({lines[i], i + 1 < lines.size() ? lines[i + 1] : QString()});
    if (list.isEmpty()) list.append({QString(), QString()});
    return list;
}

bool WriteReplaceList(const QString& path, const ReplaceList& list) {
    QStringList lines;
    for (const auto& [find, with] : list) lines << find << with;
    if (lines.isEmpty()) lines << QString() << QString();
    return WriteTextLines(path, lines);
}
