// Where the program's own files go when its folder is read-only: the per-user data folder.
#include "services/AppFolders.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

namespace MSmallBallStruct {

namespace {

// True when a file can be created in `folder`. Permission bits do not answer that (root passes
// them, a read-only mount or a pseudo file system refuses anyway), so a file is created and
// removed. A folder not yet there counts as its nearest existing parent, since the writer makes
// it; a plain file in its place can hold nothing.
bool canCreateFilesIn(const QString& folder) {
    QString probe = QDir::cleanPath(folder);
    while (!QFileInfo::exists(probe)) {
        const QString parent = QFileInfo(probe).path();
        if (parent == probe) return false;
        probe = parent;
    }
    if (!QFileInfo(probe).isDir()) return false;
    QTemporaryFile file(probe + QStringLiteral("/.quorvel-write-test-XXXXXX"));
    return file.open();
}

QString folderOf(const QString& path) {
    return QFileInfo(path).path();
}

bool isFile(const QString& path) {
    const QFileInfo info(path);
    return info.exists() && info.isFile();
}

// The install step puts this file into an installed copy's folder. That folder is shared by every
// user, so nothing is written into it, even by a user whom the file system would let (root).
bool appFolderTakesWrites(const QString& folder) {
    return !isFile(appPath(QString::fromLatin1(installedMarker))) && canCreateFilesIn(folder);
}

} // namespace

QString userFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/quorvel");
}

QString writablePath(const QString& name) {
    const QString inApp = appPath(name);
    if (appFolderTakesWrites(folderOf(inApp))) return inApp;
    const QString inUser = userFolder() + '/' + name;
    QDir().mkpath(folderOf(inUser)); // a failure shows when the file is written
    return inUser;
}

QString dataPath(const QString& name) {
    const QString inApp = appPath(name);
    const QString inUser = userFolder() + '/' + name;
    const bool appFirst = appFolderTakesWrites(folderOf(inApp));
    const QString& first = appFirst ? inApp : inUser;
    const QString& second = appFirst ? inUser : inApp;
    if (isFile(first)) return first;
    if (isFile(second)) return second;
    return first;
}

QString documentFolder() {
    const QString app = appFolder();
    if (appFolderTakesWrites(app)) return app;
    const QString user = userFolder();
    QDir().mkpath(user); // a failure shows when the dialog opens
    return user;
}

QString dialogFolder(const QString& currentDocument) {
    if (!currentDocument.isEmpty()) {
        const QFileInfo document(currentDocument);
        if (document.isAbsolute() && document.absoluteDir().exists())
            return document.absolutePath();
    }
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!documents.isEmpty() && QDir(documents).exists()) return documents;
    return QDir::homePath();
}

} // namespace MSmallBallStruct
