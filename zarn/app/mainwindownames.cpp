#include "zarn/app/mainwindownames.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

#include "zarn/app/frmzarn.h"
#include "zarn/names/fixfilename.h"
#include "zarn/names/frmoptions.h"
#include "zarn/names/panelnames.h"
#include "zarn/names/patternboxes.h"
#include "zarn/shell/filelistview.h"
#include "zarn/shell/programfolder.h"
#include "zarn/shell/programvalues.h"

namespace {

QString SelectedPath(frmZarn& w) {
    const QList<int> rows = w.lstFiles->selectedRows();
    return rows.isEmpty() ? QString() : w.fileList().pathAt(rows.first());
}

// Every selected preview row gets the name of its file under the current output pattern.
void RebuildSelectedPreviewRows(frmZarn& w) {
    const QList<int> rows = w.lstPreview->selectedRows();
    TextListModel& preview = w.fileList().preview();
    for (int row : rows) {
        if (row >= preview.rowCount() || row >= w.fileList().count()) continue;
        const QString name = w.NewNameOf(w.fileList().pathAt(row));
        preview.removeAt(row);
        preview.insertAt(row, name);
    }
    w.lstPreview->selectRows(rows);
}

void OpenOptions(frmZarn& w) {
    frmOptions options(
        w.values().options, w.store(), ProgramFile(QStringLiteral("replaces.txt")),
        [&w](const Options& o) { SetID3v1BoxLimits(&w, o); }, &w);
    options.exec();
}

}  // namespace

void WireNameEngine(frmZarn& w) {
    PatternBoxes::Actions actions;
    actions.newNameOfShownFile = [&w] {
        return PanelNewName(&w, SelectedPath(w), w.values().options);
    };
    actions.applyToSelectedRows = [&w] { RebuildSelectedPreviewRows(w); };
    new PatternBoxes(
        {w.cmbInPattern, w.cmbOutPattern, w.chkPreview, w.panel.txtOldName, w.panel.txtNewName},
        std::move(actions), w.prompter(), &w);

    QObject::connect(w.cmdOptions, &QPushButton::clicked, &w, [&w] { OpenOptions(w); });
    QObject::connect(w.menus.mnuOptions, &QAction::triggered, &w, [&w] { OpenOptions(w); });
    SetID3v1BoxLimits(&w, w.values().options);
}
