// "Save ID3" for one file writes the panel only into the file the panel was loaded from.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>

#include "tests/support/mp3writer.h"
#include "tests/support/qtstrings.h"
#include "tests/support/scriptedprompter.h"
#include "zarn/editing/panelstate.h"
#include "zarn/editing/savecommand.h"
#include "zarn/editing/tagpanel.h"
#include "zarn/shell/filelist.h"
#include "zarn/shell/filelistview.h"
#include "zarn/shell/options.h"
#include "zarn/tags/fileinfo.h"

namespace {

TEST(SaveID3, OneFileSaveWritesOnlyTheFileThePanelShows) {
    QTemporaryDir dir;
    FileList list([](const QString&) { return QString(); });
    const QByteArray tagged =
        mp3::ID3v2Tag({mp3::V2TextFrame("TIT2", "Harbour", false)}, 100) + mp3::Audio(4);
    for (const char* name : {"a.mp3", "b.mp3"}) {
        ASSERT_TRUE(mp3::WriteFile(dir.filePath(U(name)), tagged));
        list.addPath(dir.filePath(U(name)));
    }
    const QString saved = dir.filePath(U("b.mp3"));
    QWidget owner;
    TagPanel panel;
    panel.build(&owner);
    FileListView files(U("lstFiles"), &owner);
    FileListView preview(U("lstPreview"), &owner);
    files.setModel(&list.files());
    preview.setModel(&list.preview());
    QCheckBox chkPreview(&owner);
    const Options options;
    ScriptedPrompter prompter;

    // The panel shows: nothing, another file of the list, the file of the current row, and that
    // file as it was before another program wrote it.
    const struct {
        const char* shown;
        bool writes;
        bool changedSince = false;
    } rows[] = {{"", false}, {"a.mp3", false}, {"b.mp3", true}, {"b.mp3", false, true}};
    for (const auto& row : rows) {
        ASSERT_TRUE(mp3::WriteFile(saved, tagged));
        prompter.informations.clear();
        prompter.criticals.clear();
        PanelState state;
        if (*row.shown) {
            const QString shown = dir.filePath(U(row.shown));
            state.shown = ShownFileOf(shown, ReadFileInfo(shown, false));
        }
        state.shown.hadID3v2 = true;
        QByteArray expected = tagged;
        if (row.changedSince) {
            expected =
                mp3::ID3v2Tag({mp3::V2TextFrame("TIT2", "Other", false)}, 100) + mp3::Audio(5);
            ASSERT_TRUE(mp3::WriteFile(saved + U(".new"), expected));
            ASSERT_TRUE(QFile::remove(saved));
            ASSERT_TRUE(QFile::rename(saved + U(".new"), saved));
        }
        panel.chkID3v2->setChecked(true);
        panel.txtV2Title->setText(U("Quay"));
        files.setCurrentIndex(list.files().index(1));  // b.mp3, selected
        SaveID3({panel, state, list, &files, &preview, &chkPreview, options, prompter, &owner});
        EXPECT_EQ(mp3::ReadFile(saved) != expected, row.writes) << row.shown;
        if (row.writes) {
            EXPECT_TRUE(mp3::ReadFile(saved).contains("Quay"));
            EXPECT_TRUE(prompter.informations.isEmpty());
        } else if (row.changedSince) {
            ASSERT_EQ(prompter.criticals.size(), 1);
            EXPECT_TRUE(prompter.criticals[0].contains(U("another program")));
            EXPECT_TRUE(prompter.criticals[0].endsWith(saved));
        } else {
            ASSERT_EQ(prompter.informations.size(), 1) << row.shown;
            EXPECT_TRUE(prompter.informations[0].contains(saved))
                << prompter.informations[0].toStdString();
        }
    }
}

}  // namespace
