#include "zarn/editing/fixid3run.h"

#include "zarn/editing/fixid3.h"
#include "zarn/editing/savetags.h"
#include "zarn/shell/listentry.h"
#include "zarn/shell/options.h"
#include "zarn/shell/progress.h"
#include "zarn/shell/prompter.h"
#include "zarn/tags/fileinfo.h"
#include "zarn/tags/genres.h"

namespace {

// The tag routines report an error without the file's name; in a run over many files the
// message must say which file was left as it was.
class FileNamingPrompter : public Prompter {
  public:
    FileNamingPrompter(Prompter* inner, const QString& path) : m_inner(inner), m_path(path) {}

    void information(const QString& title, const QString& text) override {
        if (m_inner) m_inner->information(title, named(text));
    }
    void critical(const QString& title, const QString& text) override {
        if (m_inner) m_inner->critical(title, named(text));
    }
    Answer question(const QString& title, const QString& text, bool withCancel) override {
        return m_inner ? m_inner->question(title, named(text), withCancel) : Answer::Cancel;
    }
    QString input(const QString& title, const QString& prompt) override {
        return m_inner ? m_inner->input(title, named(prompt)) : QString();
    }

  private:
    QString named(const QString& text) const { return m_path + QStringLiteral("\n\n") + text; }

    Prompter* m_inner;
    QString m_path;
};

// The boxes as the panel holds them once the file is loaded: the ID3v1 genre list has no entry
// for an unnamed genre ("Unknown") and shows none; saving then keeps the file's own byte.
PanelValues LoadedValues(const QString& path, const FileInfo& info) {
    PanelValues values = PanelValuesOf(info);
    if (!GenreTable().contains(values.v1.genre)) values.v1.genre.clear();
    values.oldName = NameFromEntry(path);
    return values;
}

enum class Outcome { Written, Failed, Gone, Nothing };

Outcome FixOneFile(const QString& path, FixVersions chosen, const QString& inPattern,
                   const Options& options, Prompter* prompter, const FixShown& shownHook) {
    FileNamingPrompter named(prompter, path);
    const FileInfo info = ReadFileInfo(path, options.bOptimizedID3v1);
    if (!info.exists) return Outcome::Gone;
    if (info.readError) {
        named.critical(QStringLiteral("Zarn"),
                       QStringLiteral("The file could not be read; it was left as it was."));
        return Outcome::Failed;
    }
    const ShownFile shown = ShownFileOf(path, info);
    PanelValues values = LoadedValues(path, info);
    values.id3v1 = values.id3v1 || chosen.id3v1;
    values.id3v2 = values.id3v2 || chosen.id3v2;
    const PanelValues fixed = FixPanelValues(values, {path, inPattern, options});
    if (shownHook) shownHook(info, fixed);

    // The genre byte that an unnamed genre ("Unknown") keeps.
    const QByteArray oldGenre =
        shown.hadID3v1 ? ReadID3v1(path, &named).Genre : QByteArray(1, '\xFF');
    const FixedRecords records = FixedRecordsOf(fixed, shown, oldGenre, options);
    if (!records.error.isEmpty()) {
        named.critical(QStringLiteral("Zarn"), records.error);
        return Outcome::Failed;
    }
    if (records.modes.nothing()) return Outcome::Nothing;
    // The file's own attributes are put back; the options' attribute setting is for saving.
    return WriteTagsWithAttributes(path, records.tag1, records.tag2, records.modes, {}, &named)
               ? Outcome::Written
               : Outcome::Failed;
}

}  // namespace

FixRun FixSeveralFiles(const QStringList& paths, FixVersions chosen, const QString& inPattern,
                       const Options& options, Prompter* prompter, Progress* progress,
                       const FixShown& shown) {
    FixRun run;
    run.stopped = EachPathWithProgress(paths, progress, [&](const QString& path) {
        switch (FixOneFile(path, chosen, inPattern, options, prompter, shown)) {
            case Outcome::Written:
                ++run.written;
                break;
            case Outcome::Failed:
                ++run.failed;
                break;
            case Outcome::Gone:
                run.gone << path;
                break;
            case Outcome::Nothing:
                break;
        }
    });
    return run;
}
