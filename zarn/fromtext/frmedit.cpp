#include "zarn/fromtext/frmedit.h"

#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "zarn/shell/namedwidget.h"
#include "zarn/shell/screenfit.h"

frmEdit::frmEdit(const QString& name, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmEdit"));
    setWindowTitle(QStringLiteral("Edit Fixed Filename"));
    txtFixedName = Named(new QLineEdit(name, this), "txtFixedName");
    Label1 = Named(new QLabel(QStringLiteral("Replace:"), this), "Label1");
    txtReplace = Named(new QLineEdit(this), "txtReplace");
    Label2 = Named(new QLabel(QStringLiteral(" with:"), this), "Label2");
    txtWith = Named(new QLineEdit(this), "txtWith");
    cmdReplace = Named(new QPushButton(QStringLiteral("&Replace"), this), "cmdReplace");
    cmdOK = Named(new QPushButton(QStringLiteral("&OK"), this), "cmdOK");
    cmdCancel = Named(new QPushButton(QStringLiteral("&Cancel"), this), "cmdCancel");
    cmdOK->setDefault(true);

    auto* grid = new QGridLayout(this);
    grid->addWidget(txtFixedName, 0, 0, 1, 5);
    grid->addWidget(Label1, 1, 0);
    grid->addWidget(txtReplace, 1, 1);
    grid->addWidget(Label2, 1, 2);
    grid->addWidget(txtWith, 1, 3);
    grid->addWidget(cmdReplace, 1, 4);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);
    grid->addLayout(buttons, 2, 0, 1, 5);
    resize(520, sizeHint().height());
    FitOnScreen(this, parent);

    txtFixedName->installEventFilter(this);
    txtReplace->installEventFilter(this);
    connect(cmdReplace, &QPushButton::clicked, this, &frmEdit::replaceAll);
    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
}

QString frmEdit::fixedName() const {
    return txtFixedName->text();
}

bool frmEdit::eventFilter(QObject* watched, QEvent* event) {
    // A line edit drops its selection when it loses the focus; remember what was selected then.
    if (watched == txtFixedName && event->type() == QEvent::FocusOut)
        m_selectedInName = txtFixedName->selectedText();
    if (watched == txtReplace && event->type() == QEvent::FocusIn && txtReplace->text().isEmpty() &&
        !m_selectedInName.isEmpty()) {
        txtReplace->setText(m_selectedInName);
        txtReplace->selectAll();
    }
    return QDialog::eventFilter(watched, event);
}

void frmEdit::replaceAll() {
    if (txtReplace->text().isEmpty()) return;
    txtFixedName->setText(
        txtFixedName->text().replace(txtReplace->text(), txtWith->text(), Qt::CaseSensitive));
}
