// "Save ID3" for one file writes the panel only into the file the panel was loaded from.
#include <gtest/gtest.h>

#include <QCheckBox>
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

    // The panel shows: nothing, another file of the list, the file of the current row.
    const struct {
        const char* shown;
        bool writes;
    } rows[] = {{"", false}, {"a.mp3", false}, {"b.mp3", true}};
    for (const auto& row : rows) {
        ASSERT_TRUE(mp3::WriteFile(saved, tagged));
        prompter.informations.clear();
        PanelState state;
        if (*row.shown) state.shown.path = dir.filePath(U(row.shown));
        state.shown.hadID3v2 = true;
        panel.chkID3v2->setChecked(true);
        panel.txtV2Title->setText(U("Quay"));
        files.setCurrentIndex(list.files().index(1));  // b.mp3, selected
        SaveID3({panel, state, list, &files, &preview, &chkPreview, options, prompter, &owner});
        EXPECT_EQ(mp3::ReadFile(saved) != tagged, row.writes) << row.shown;
        if (row.writes) {
            EXPECT_TRUE(mp3::ReadFile(saved).contains("Quay"));
            EXPECT_TRUE(prompter.informations.isEmpty());
        } else {
            ASSERT_EQ(prompter.informations.size(), 1) << row.shown;
            EXPECT_TRUE(prompter.informations[0].contains(saved)) << prompter.informations[0].toStdString();
        }
    }
}

}  // namespace
