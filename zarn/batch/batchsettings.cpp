#include "zarn/batch/batchsettings.h"

#include "zarn/names/replacelist.h"
#include "zarn/shell/programfolder.h"
#include "zarn/shell/settingsstore.h"

BatchSettings LoadBatchSettings(const QString& iniFile) {
    const SettingsStore store =
        iniFile.isEmpty() ? SettingsStore(QStringLiteral("Zarn")) : SettingsStore::atFile(iniFile);
    BatchSettings settings;
    settings.options = LoadOptions(store);
    settings.options.Replaces = ReadReplaceList(ProgramFile(QStringLiteral("replaces.txt")));
    settings.inPattern =
        store.text(QStringLiteral("InPattern"), QStringLiteral("%artist - %title.mp3"));
    settings.outPattern =
        store.text(QStringLiteral("OutPattern"), QStringLiteral("%track - %artist - %title.mp3"));
    return settings;
}
