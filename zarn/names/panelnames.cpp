#include "zarn/names/panelnames.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace {

QString TextOf(const QWidget* window, const char* name) {
    const QWidget* box = window->findChild<QWidget*>(QString::fromLatin1(name));
    if (const auto* line = qobject_cast<const QLineEdit*>(box)) return line->text();
    if (const auto* combo = qobject_cast<const QComboBox*>(box)) return combo->currentText();
    if (const auto* plain = qobject_cast<const QPlainTextEdit*>(box)) return plain->toPlainText();
    return {};
}

bool CheckedOf(const QWidget* window, const char* name) {
    const auto* box = window->findChild<QAbstractButton*>(QString::fromLatin1(name));
    return box && box->isChecked();
}

}  // namespace

NameFields PanelNameFields(const QWidget* w) {
    NameFields f;
    f.oldName = TextOf(w, "txtOldName");
    f.inPattern = TextOf(w, "cmbInPattern");
    f.outPattern = TextOf(w, "cmbOutPattern");
    f.id3v1 = CheckedOf(w, "chkID3v1");
    f.id3v2 = CheckedOf(w, "chkID3v2");
    f.v1 = {TextOf(w, "txtArtist"),  TextOf(w, "txtTitle"), TextOf(w, "txtAlbum"),
            TextOf(w, "txtTrackNr"), TextOf(w, "txtYear"),  TextOf(w, "cmbGenre"),
            TextOf(w, "txtComments")};
    f.v2 = {TextOf(w, "txtV2Artist"),  TextOf(w, "txtV2Title"), TextOf(w, "txtV2Album"),
            TextOf(w, "txtV2Track"),   TextOf(w, "txtV2Year"),  TextOf(w, "cmbV2Genre"),
            TextOf(w, "txtV2Comments")};
    return f;
}

QString PanelNewName(const QWidget* window, const QString& path, const Options& options) {
    return FixFileName2(PanelNameFields(window), path, options);
}
