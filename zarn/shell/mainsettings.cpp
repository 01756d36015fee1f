#include "zarn/shell/mainsettings.h"

#include <QDir>

#include "zarn/shell/programfolder.h"
#include "zarn/shell/settingsstore.h"
#include "zarn/shell/text.h"
#include "zarn/shell/textfile.h"

namespace {
const QString kGenre = QStringLiteral("Genre");
const QString kAlphabetical = QStringLiteral("Alphabetical");
const QString kSubFolder = QStringLiteral("SubFolder");
const QString kConvert = QStringLiteral("Convert");
const QString kThreshold = QStringLiteral("txtSubFolder");
const QString kFileExists = QStringLiteral("FileExists");
const QString kMove = QStringLiteral("Move");
const QString kTargetDir = QStringLiteral("TargetDir");
const QString kLastDir = QStringLiteral("LastDir");
const QString kInPattern = QStringLiteral("InPattern");
const QString kOutPattern = QStringLiteral("OutPattern");

bool CheckState(const SettingsStore& store, const QString& key, bool fallback) {
    return store.number(key, fallback ? 1 : 0) != 0;
}
}  // namespace

QString ProgramVersion() {
    return QStringLiteral("%1.%2").arg(ZARN_VERSION_MAJOR).arg(ZARN_VERSION_REVISION);
}

QString ProgramCaption() {
    return QStringLiteral("Pelmora ") + ProgramVersion();
}

QString DefaultFolderSetting() {
    QString folder = ProgramFolder();
    if (folder.size() > 1 && folder.endsWith(QDir::separator())) folder.chop(1);
    return folder;
}

MainSettings LoadMainSettings(const SettingsStore& store, const QString& defaultFolder) {
    MainSettings s;
    s.Genre = CheckState(store, kGenre, s.Genre);
    s.Alphabetical = CheckState(store, kAlphabetical, s.Alphabetical);
    s.SubFolder = CheckState(store, kSubFolder, s.SubFolder);
    s.Convert = CheckState(store, kConvert, s.Convert);
    // The box holds digits only, so a negative threshold can only come from a damaged store.
    const int threshold = store.number(kThreshold, s.txtSubFolder, /*truncate=*/true);
    s.txtSubFolder = threshold >= 0 ? threshold : s.txtSubFolder;
    s.FileExists = store.index3(kFileExists, s.FileExists);
    s.Move = store.index3(kMove, s.Move);
    s.TargetDir = store.text(kTargetDir, defaultFolder);
    s.LastDir = store.text(kLastDir, defaultFolder);
    s.InPattern = store.text(kInPattern, s.InPattern);
    s.OutPattern = store.text(kOutPattern, s.OutPattern);
    return s;
}

void SaveMainSettings(SettingsStore& store, const MainSettings& s) {
    store.setText(kInPattern, s.InPattern);
    store.setText(kOutPattern, s.OutPattern);
    store.setNumber(kGenre, s.Genre ? 1 : 0);
    store.setNumber(kAlphabetical, s.Alphabetical ? 1 : 0);
    store.setNumber(kSubFolder, s.SubFolder ? 1 : 0);
    store.setNumber(kConvert, s.Convert ? 1 : 0);
    store.setNumber(kThreshold, s.txtSubFolder);
    store.setText(kTargetDir, s.TargetDir);
    store.setText(kLastDir, s.LastDir);
    store.setNumber(kFileExists, s.FileExists);
    store.setNumber(kMove, s.Move);
    store.sync();
}

int ThresholdOfText(const QString& text) {
    bool ok = false;
    const double value = TrimBlanks(text).toDouble(&ok);
    if (!ok || value < 0 || value > 2e9) return MainSettings().txtSubFolder;
    return int(value);
}

QStringList ReadPatternChoices(const QString& path) {
    QStringList choices;
    for (const QString& line : ReadTextLines(path, /*createWhenMissing=*/true))
        if (!TrimBlanks(line).isEmpty()) choices.append(line);
    return choices;
}
