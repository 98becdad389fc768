#include "services/WholeFile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace WholeFile {

namespace {

QString inPlace(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.flush())
        return file.errorString();
    file.close();
    return file.error() == QFileDevice::NoError ? QString() : file.errorString();
}

} // namespace

QString write(const QString& path, const QByteArray& bytes) {
    const QFileInfo info(path);
    if (info.exists() && !info.isFile() && !info.isDir()) return inPlace(path, bytes);
    QSaveFile file(path);
    // The flush is checked before the commit: the commit puts a file in place even when writing
    // out its buffer failed (a PDF of a few kilobytes onto a full disk).
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.flush() &&
        file.commit())
        return {};
    return file.errorString();
}

} // namespace WholeFile
