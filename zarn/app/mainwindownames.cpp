#include "zarn/app/mainwindownames.h"

#include <QAction>
#include <QPushButton>

#include "zarn/editing/tagpanel.h"
#include "zarn/names/frmoptions.h"
#include "zarn/names/patternboxes.h"
#include "zarn/shell/filelist.h"
#include "zarn/shell/filelistview.h"
#include "zarn/shell/programfolder.h"
#include "zarn/shell/programvalues.h"

namespace {

QString SelectedPath(const NameEngineParts& p) {
    const QList<int> rows = p.lstFiles->selectedRows();
    return rows.isEmpty() ? QString() : p.list.pathAt(rows.first());
}

// Every selected preview row gets the name of its file under the current output pattern.
void RebuildSelectedPreviewRows(const NameEngineParts& p) {
    const QList<int> rows = p.lstPreview->selectedRows();
    TextListModel& preview = p.list.preview();
    for (int row : rows) {
        if (row >= preview.rowCount() || row >= p.list.count()) continue;
        const QString name = p.newNameOf(p.list.pathAt(row));
        preview.removeAt(row);
        preview.insertAt(row, name);
    }
    p.lstPreview->selectRows(rows);
}

}  // namespace

void WireNameEngine(const NameEngineParts& parts, ProgramValues& values, SettingsStore& store,
                    Prompter& prompter, QWidget* owner) {
    PatternBoxes::Actions actions;
    actions.newNameOfShownFile = [parts] { return parts.panelNewName(SelectedPath(parts)); };
    actions.applyToSelectedRows = [parts] { RebuildSelectedPreviewRows(parts); };
    new PatternBoxes({parts.cmbInPattern, parts.cmbOutPattern, parts.chkPreview,
                      parts.panel.txtOldName, parts.panel.txtNewName},
                     std::move(actions), prompter, owner);

    TagPanel& panel = parts.panel;
    const auto openOptions = [&values, &store, &prompter, &panel, owner] {
        frmOptions options(
            values.options, store, ProgramFile(QStringLiteral("replaces.txt")), prompter,
            [&panel](const Options& o) { SetID3v1BoxLimits(panel.id3v1Boxes(), o); }, owner);
        options.exec();
    };
    QObject::connect(parts.cmdOptions, &QPushButton::clicked, owner, openOptions);
    QObject::connect(parts.mnuOptions, &QAction::triggered, owner, openOptions);
    SetID3v1BoxLimits(panel.id3v1Boxes(), values.options);
}
