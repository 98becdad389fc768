// The desktop service behind the options dialog: registering the load data file type with the
// freedesktop desktop (shared-mime-info and a desktop entry, so that opening a ".qvt" file in the
// file manager starts this program with that file). QtCore only.
//
// How the window uses it: frmOptions calls
//     Desktop::assocCreate(".qvt", "Quorvel.Document", Desktop::associationCommand(), &error)
// and reports the outcome itself.
#pragma once

#include <QString>
#include <QStringList>

namespace Desktop {

// $XDG_DATA_HOME, or ~/.local/share when it is unset or not absolute.
QString dataHome();
// "application/x-quorvel-document" for "Quorvel.Document".
QString mimeTypeFor(const QString& docType);
// The application folder followed by "/quorvel %f"; the program path is quoted when it holds
// characters that a desktop entry's Exec line would otherwise split or expand.
QString associationCommand();

// Writes $XDG_DATA_HOME/mime/packages/<type>.xml (glob "*" + extension, comment docType) and
// $XDG_DATA_HOME/applications/quorvel.desktop (Exec = command), then refreshes the desktop's
// databases with update-mime-database, update-desktop-database and `xdg-mime default` when
// those tools are installed. True on success; on failure `error` (if given) says what failed.
bool assocCreate(const QString& extension, const QString& docType, const QString& command,
                 QString* error = nullptr);

} // namespace Desktop
