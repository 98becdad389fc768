#include "shell/QtFileChooser.h"

#include <QFileDialog>
#include <QFontDialog>

QString QtFileChooser::chooseOpen(const FileRequest& request) {
    QFileDialog dialog(parent, request.title, request.folder,
                       FileDialogs::qtFilter(request.filter));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setOption(QFileDialog::ReadOnly, false);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().first();
}

QString QtFileChooser::chooseSave(const FileRequest& request) {
    QFileDialog dialog(parent, request.title, request.folder,
                       FileDialogs::qtFilter(request.filter));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    // The extension and the replace question are handled by chooseSavePath, for every chooser.
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    dialog.selectFile(QString());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().first();
}

bool QtFileChooser::chooseFont(const QFont& initial, QFont& chosen) {
    bool ok = false;
    const QFont font = QFontDialog::getFont(&ok, initial, parent);
    if (ok) chosen = font;
    return ok;
}
