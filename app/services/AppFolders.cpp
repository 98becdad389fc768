#include "services/AppFolders.h"

#include "services/Prompt.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace MSmallBallStruct {

namespace {
QString& folderOverride() {
    static QString folder;
    return folder;
}

QString executableFolder() {
    if (QCoreApplication::instance()) return QCoreApplication::applicationDirPath();
    return QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath().section('/', 0, -2);
}
} // namespace

QString appFolder() {
    if (!folderOverride().isEmpty()) return folderOverride();
    const QString env = qEnvironmentVariable("QUORVEL_APPDIR");
    if (!env.isEmpty()) return QDir::cleanPath(env);
    return executableFolder();
}

void setAppFolder(const QString& folder) {
    folderOverride() = folder.isEmpty() ? QString() : QDir::cleanPath(folder);
}

QString appPath(const QString& name) {
    return appFolder() + '/' + name;
}

QString whyNotAFile(const QString& path) {
    const QFileInfo info(path);
    if (info.exists() && info.isDir()) return QStringLiteral("is a directory");
    if (info.exists() && !info.isFile()) return QStringLiteral("is not a regular file");
    QString found = path;
    return FileExists(found) ? QString() : QStringLiteral("no such file");
}

void reportNotFound(const QString& path) {
    showMessage(QStringLiteral("The file \"%1\" was not found.").arg(path),
                QStringLiteral("File Not Found"));
}

bool FileExists(QString& path) {
    if (path.isEmpty() || isPathSeparator(path.back())) return false;
    const QFileInfo direct(path);
    if (direct.exists() && direct.isFile()) return true;
    const QString candidate = appPath(shortFilename(path));
    const QFileInfo inApp(candidate);
    if (inApp.exists() && inApp.isFile()) {
        path = candidate;
        return true;
    }
    return false;
}

void fillComboBox(QStringList& list, const QString& pattern, const QString& folder) {
    QDir dir(folder);
    if (!dir.exists()) return;
    const QStringList filters = pattern.split(';', Qt::SkipEmptyParts);
    dir.setNameFilters(filters);
    dir.setFilter(QDir::Files | QDir::Readable);
    dir.setSorting(QDir::Name | QDir::IgnoreCase);
    list += dir.entryList();
}

QString shortFilename(const QString& path) {
    for (qsizetype i = path.size() - 1; i >= 0; --i)
        if (isPathSeparator(path[i])) return path.mid(i + 1);
    return path;
}

} // namespace MSmallBallStruct
