#include "load/DragTables.h"

#include "load/PrecisionFields.h"
#include "precision/DragCsv.h"
#include "services/MSmallBallStruct.h"

#include <QDateTime>
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

QString pathOf(const QString& nameOrPath) {
    if (PrecisionFields::isStandardDragTable(nameOrPath))
        return MSmallBallStruct::appPath(QStringLiteral("drag/") + nameOrPath +
                                         QStringLiteral(".csv"));
    return nameOrPath;
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

Loaded load(const QString& nameOrPath) {
    const QString path = pathOf(nameOrPath);
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
    const precision::DragParse parsed =
        precision::parseDragCsv(std::string_view(bytes.constData(), size_t(bytes.size())));
    if (!parsed.curve)
        return problem(QStringLiteral("The drag table \"%1\" cannot be used: %2.")
                           .arg(path, QString::fromStdString(parsed.error)));
    auto curve = std::make_shared<const precision::DragCurve>(*parsed.curve);
    cache().insert(path, {info.lastModified(), info.size(), curve});
    return {curve, {}};
}

} // namespace DragTables
