#include "load/DragTables.h"

#include "load/PrecisionFields.h"
#include "precision/DragCsv.h"
#include "precision/DragDrg.h"
#include "services/AppFolders.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QMutex>

namespace DragTables {

namespace {

// A curve read before, with what its file looked like then.
struct Cached {
    QDateTime modified;
    qint64 size = -1;
    std::shared_ptr<const precision::DragCurve> curve;
};

QHash<QString, Cached>& cache() {
    static QHash<QString, Cached> curves;
    return curves;
}

QMutex& cacheLock() {
    static QMutex lock;
    return lock;
}

Loaded problem(const QString& text) {
    return {nullptr, text};
}

} // namespace

QString pathOf(const QString& nameOrPath, const QString& loadFolder) {
    const QString dragFolder = MSmallBallStruct::appPath(QStringLiteral("drag"));
    if (PrecisionFields::isStandardDragTable(nameOrPath))
        return QDir(dragFolder).filePath(nameOrPath + QStringLiteral(".csv"));
    if (nameOrPath.isEmpty()) return nameOrPath;
    const QFileInfo named(nameOrPath);
    if (named.isAbsolute()) {
        if (named.exists() || loadFolder.isEmpty()) return nameOrPath;
        const QString beside = QDir(loadFolder).filePath(named.fileName());
        return QFileInfo::exists(beside) ? beside : nameOrPath;
    }
    if (!loadFolder.isEmpty()) {
        const QString beside = QDir::cleanPath(QDir(loadFolder).filePath(nameOrPath));
        if (QFileInfo::exists(beside)) return beside;
    }
    const QString inDragFolder = QDir::cleanPath(QDir(dragFolder).filePath(nameOrPath));
    // Neither: the message names the place beside the load, where it was looked for first.
    if (!QFileInfo::exists(inDragFolder) && !loadFolder.isEmpty())
        return QDir::cleanPath(QDir(loadFolder).filePath(nameOrPath));
    return inDragFolder;
}

QString unsavablePath(const QString& path) {
    QString outside;
    for (const QChar c : path)
        if (c.unicode() > 0xFF && !outside.contains(c)) outside += c;
    if (outside.isEmpty()) return {};
    return QStringLiteral("The path of the drag table \"%1\" has characters a load file cannot "
                          "hold (%2). Copy the file into the folder of the load, under a name "
                          "without them, and choose it there.")
        .arg(path, outside);
}

QString storedPath(const QString& path, const QString& loadFolder) {
    const QString absolute = QFileInfo(path).absoluteFilePath();
    if (loadFolder.isEmpty()) return absolute;
    const QString relative = QDir(loadFolder).relativeFilePath(absolute);
    if (relative.startsWith(QLatin1String("../")) || relative == QLatin1String("..") ||
        QFileInfo(relative).isAbsolute())
        return absolute;
    return relative;
}

void moveLoad(PrecisionForm& form, const QString& newFolder) {
    const QString folder = QFileInfo(newFolder).absoluteFilePath();
    const QString& table = form.dragTable;
    if (!PrecisionFields::isStandardDragTable(table) && !table.isEmpty() &&
        QFileInfo(table).isRelative() && folder != form.loadFolder) {
        const QString found = pathOf(table, form.loadFolder);
        if (QFileInfo::exists(found)) form.dragTable = storedPath(found, folder);
    }
    form.loadFolder = folder;
}

Loaded load(const QString& nameOrPath, const QString& loadFolder) {
    const QString path = pathOf(nameOrPath, loadFolder);
    const QFileInfo info(path);
    if (path.isEmpty() || !info.exists())
        return problem(QStringLiteral("The drag table \"%1\" was not found.").arg(path));
    if (!info.isFile())
        return problem(QStringLiteral("The drag table \"%1\" is not a file.").arg(path));
    if (info.size() > MaxFileBytes)
        return problem(QStringLiteral("\"%1\" is too large to be a drag table.").arg(path));

    const QMutexLocker locker(&cacheLock());
    const auto found = cache().constFind(path);
    if (found != cache().constEnd() && found->modified == info.lastModified() &&
        found->size == info.size())
        return {found->curve, {}};

    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return problem(QStringLiteral("The drag table \"%1\" cannot be read: %2")
                           .arg(path, file.errorString()));
    const QByteArray bytes = file.read(MaxFileBytes + 1);
    const std::string_view text(bytes.constData(), size_t(bytes.size()));
    const bool radar = info.suffix().compare(QLatin1String("drg"), Qt::CaseInsensitive) == 0;
    const precision::DragParse parsed =
        radar ? precision::parseDragDrg(text) : precision::parseDragCsv(text);
    if (!parsed.curve)
        return problem(QStringLiteral("The drag table \"%1\" cannot be used: %2.")
                           .arg(path, QString::fromStdString(parsed.error)));
    auto curve = std::make_shared<const precision::DragCurve>(*parsed.curve);
    cache().insert(path, {info.lastModified(), info.size(), curve});
    return {curve, {}};
}

} // namespace DragTables
