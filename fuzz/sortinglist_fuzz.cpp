// The list loader (sorting lists, M3U and PLS playlists) on a list file made from the input; the
// first byte chooses the kind and the path style. Rows read, saved and read again stay the same.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include <QStringList>

#include "fuzz/fuzzfile.h"
#include "zarn/shell/listentry.h"
#include "zarn/shell/sortinglist.h"

namespace {

bool HoldsControlCharacter(const QString& text) {
    for (QChar ch : text)
        if (ch.unicode() < 0x20 || ch.unicode() == 0x7F) return true;
    return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    static const char* const kNames[] = {"list.srt", "list.m3u", "list.pls"};
    static const ListKind kKinds[] = {ListKind::Srt, ListKind::M3u, ListKind::Pls};
    const int kind = data[0] % 3;
    const QChar separator = data[0] & 0x80 ? u'\\' : u'/';
    const QString path = WriteFuzzFile(data + 1, size - 1, QString::fromLatin1(kNames[kind]));
    if (ListKindOf(path) != kKinds[kind]) std::abort();

    const QStringList rows = ReadListRows(path, kKinds[kind], separator);
    // A row never holds a line break or another control character, so it saves as one line.
    for (const QString& row : rows)
        if (HoldsControlCharacter(row)) std::abort();

    // Saved as a sorting list and loaded back, the rows are the same.
    const QString saved = FuzzFolder() + QStringLiteral("/saved.srt");
    if (WriteListRows(saved, rows, SaveFormat::Srt).failed()) std::abort();
    if (ReadListRows(saved, ListKind::Srt, separator) != rows) std::abort();
    return 0;
}
