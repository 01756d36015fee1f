#include "zarn/app/mainwindowfromtext.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>

#include "zarn/fromtext/frmnamefromfile.h"
#include "zarn/fromtext/renamefromscan.h"
#include "zarn/shell/filelist.h"
#include "zarn/shell/filelistview.h"
#include "zarn/sort/frmsorting.h"

NameFromFileCommand::NameFromFileCommand(Parts parts, ProgramValues& values, Prompter& prompter,
                                         QObject* parent)
    : QObject(parent), m_parts(std::move(parts)), m_values(values), m_prompter(prompter) {
    connect(m_parts.mnuNameFromFile, &QAction::triggered, this, &NameFromFileCommand::open);
}

bool NameFromFileCommand::windowShown() const {
    return !m_window.isNull() && m_window->isVisible();
}

void NameFromFileCommand::open() {
    const Parts& p = m_parts;
    QCheckBox* chkConvert = p.chkConvert;
    const auto progressWindow = p.progressWindow;
    const auto startRun = [progressWindow](int total) -> Progress& {
        frmSorting& window = progressWindow();
        window.prepare(QStringLiteral("Renaming file:"));
        window.setTotal(total);
        return window.progress();
    };
    const auto finishRun = [progressWindow](bool close) {
        frmSorting& window = progressWindow();
        window.finish();
        if (close) window.hide();
    };
    m_window = new frmNameFromFile({m_values, m_prompter, p.dialogs, p.cmbInPattern->currentText(),
                                    p.cmbOutPattern->currentText(),
                                    [chkConvert] { return chkConvert->isChecked(); },
                                    p.existsChoice, startRun, finishRun});
    m_window->setAttribute(Qt::WA_DeleteOnClose);
    m_window->addOldEntries(
        OldEntriesOfSelection(p.list.files().texts(), p.lstFiles->selectedRows()));
    connect(m_window, &frmNameFromFile::closed, p.mainWindow, &QWidget::show);
    connect(m_window, &frmNameFromFile::filesRenamed, this,
            [this](const QList<std::pair<QString, QString>>& renamed) {
                m_parts.list.followRenames(renamed);
                // The panel may show a renamed file under its old name.
                if (m_parts.clearFileInfo) m_parts.clearFileInfo();
            });
    p.mainWindow->hide();
    m_window->show();
}
