#include "services/WholeFile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace WholeFile {

namespace {

// Writes every byte. A write onto a nearly full disk may take part of the bytes without an error
// (the rest did not fit the last block); writing on then fails with the system's reason, which
// the message names rather than "Unknown error".
bool writeAll(QFileDevice& file, const QByteArray& bytes) {
    qint64 done = 0;
    while (done < bytes.size()) {
        const qint64 written = file.write(bytes.constData() + done, bytes.size() - done);
        if (written <= 0) return false;
        done += written;
    }
    return true;
}

QString inPlace(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || !writeAll(file, bytes) || !file.flush())
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
    if (file.open(QIODevice::WriteOnly) && writeAll(file, bytes) && file.flush() && file.commit())
        return {};
    return file.errorString();
}

} // namespace WholeFile
