#include "zarn/shell/options.h"

#include <algorithm>
#include <array>

#include "zarn/shell/cp1252.h"
#include "zarn/shell/settingsstore.h"

QString Options::DefaultRemoveChars() {
    // Letters users keep in their names: § Ä Å Æ Ö Ø Ü ä å æ ö ø ü.
    static constexpr std::array<int, 13> kKept = {167, 196, 197, 198, 214, 216, 220,
                                                  228, 229, 230, 246, 248, 252};
    QString set = QStringLiteral("^`{}~");
    for (int code = 127; code <= 255; ++code)
        if (std::find(kKept.begin(), kKept.end(), code) == kKept.end())
            set += Cp1252Char(static_cast<unsigned char>(code));
    return set;
}

Options LoadOptions(const SettingsStore& store) {
    Options o;
    o.bID3 = store.flag(QStringLiteral("bID3"), o.bID3);
    o.bExtension = store.flag(QStringLiteral("bExtension"), o.bExtension);
    o.Extension = store.text(QStringLiteral("Extension"), o.Extension);
    o.bLowExtension = store.flag(QStringLiteral("bLowExtension"), o.bLowExtension);
    o.bScoreToSpace = store.flag(QStringLiteral("bScoreToSpace"), o.bScoreToSpace);
    o.b20toSpace = store.flag(QStringLiteral("b20toSpace"), o.b20toSpace);
    o.bSpaces = store.flag(QStringLiteral("bSpaces"), o.bSpaces);
    o.bParentheses = store.flag(QStringLiteral("bParentheses"), o.bParentheses);
    o.bReplace = store.flag(QStringLiteral("bReplace"), o.bReplace);
    o.bMisses = store.flag(QStringLiteral("bMisses"), o.bMisses);
    o.bSetAttributes = store.flag(QStringLiteral("bSetAttributes"), o.bSetAttributes);
    o.bReadOnly = store.flag(QStringLiteral("bReadOnly"), o.bReadOnly);
    o.bHidden = store.flag(QStringLiteral("bHidden"), o.bHidden);
    o.bArchive = store.flag(QStringLiteral("bArchive"), o.bArchive);
    o.bRemoveChars = store.flag(QStringLiteral("bRemoveChars"), o.bRemoveChars);
    o.strRemoveChars = store.text(QStringLiteral("strRemoveChars"), o.strRemoveChars);
    o.bRemHiddenID3 = store.flag(QStringLiteral("bRemHiddenID3"), o.bRemHiddenID3);
    o.bOptimizedID3v1 = store.flag(QStringLiteral("bOptimizedID3v1"), o.bOptimizedID3v1);
    const int change = store.number(QStringLiteral("Change"), o.Change);
    o.Change = change >= 0 && change <= 4 ? change : 1;
    // Undo keeps at least the newest operation, and no more than a file system holds.
    o.UndoOperations =
        qBound(1, store.number(QStringLiteral("UndoOperations"), o.UndoOperations), 100000);
    o.UndoMegabytes =
        qBound(1, store.number(QStringLiteral("UndoMegabytes"), o.UndoMegabytes), 1 << 24);
    return o;
}

void SaveOptions(SettingsStore& store, const Options& o) {
    store.setFlag(QStringLiteral("bID3"), o.bID3);
    store.setFlag(QStringLiteral("bExtension"), o.bExtension);
    store.setText(QStringLiteral("Extension"), o.Extension);
    store.setFlag(QStringLiteral("bLowExtension"), o.bLowExtension);
    store.setFlag(QStringLiteral("bScoreToSpace"), o.bScoreToSpace);
    store.setFlag(QStringLiteral("b20toSpace"), o.b20toSpace);
    store.setFlag(QStringLiteral("bSpaces"), o.bSpaces);
    store.setFlag(QStringLiteral("bParentheses"), o.bParentheses);
    store.setFlag(QStringLiteral("bReplace"), o.bReplace);
    store.setFlag(QStringLiteral("bMisses"), o.bMisses);
    store.setFlag(QStringLiteral("bSetAttributes"), o.bSetAttributes);
    store.setFlag(QStringLiteral("bReadOnly"), o.bReadOnly);
    store.setFlag(QStringLiteral("bHidden"), o.bHidden);
    store.setFlag(QStringLiteral("bArchive"), o.bArchive);
    store.setFlag(QStringLiteral("bRemoveChars"), o.bRemoveChars);
    store.setText(QStringLiteral("strRemoveChars"), o.strRemoveChars);
    store.setNumber(QStringLiteral("Change"), o.Change);
    store.setFlag(QStringLiteral("bRemHiddenID3"), o.bRemHiddenID3);
    store.setFlag(QStringLiteral("bOptimizedID3v1"), o.bOptimizedID3v1);
    store.setNumber(QStringLiteral("UndoOperations"), o.UndoOperations);
    store.setNumber(QStringLiteral("UndoMegabytes"), o.UndoMegabytes);
    store.sync();
}

HistoryLimits UndoLimits(const Options& options) {
    return {options.UndoOperations, qint64(options.UndoMegabytes) << 20};
}
