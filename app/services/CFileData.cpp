#include "services/CFileData.h"
#include "services/ErrorNumbers.h"

#include "services/AppFolders.h"

#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <algorithm>
#include <cstring>
#include <memory>

namespace {

QString latin(const char* text) {
    return QString::fromLatin1(text);
}

FileProblem problemOf(const char* className, const char* operation, long number,
                      const QString& text) {
    return FileProblem{latin(className), latin(operation), number, text};
}

// The target of an output file: a device or pipe (/dev/null, /dev/full) cannot be replaced by
// renaming and is written in place; everything else goes through a temporary file.
std::unique_ptr<QFileDevice> outputDevice(const QString& path) {
    const QFileInfo info(path);
    if (info.exists() && !info.isFile() && !info.isDir()) return std::make_unique<QFile>(path);
    return std::make_unique<QSaveFile>(path);
}

// The bytes of a file: text up to a comma or a line end (CR, LF or CR LF), which is consumed.
// Found with memchr, not byte by byte: a note may run to megabytes.
QList<QByteArrayView> splitItems(const QByteArray& data, int most) {
    QList<QByteArrayView> items;
    qsizetype pos = 0;
    while (pos < data.size() && (most <= 0 || items.size() < most)) {
        qsizetype end = data.size();
        for (const char stop : {',', '\r', '\n'}) {
            const void* at = std::memchr(data.constData() + pos, stop, size_t(end - pos));
            if (at) end = static_cast<const char*>(at) - data.constData();
        }
        items.append(QByteArrayView(data.constData() + pos, end - pos));
        if (end < data.size()) {
            const bool crlf = data[end] == '\r' && end + 1 < data.size() && data[end + 1] == '\n';
            end += crlf ? 2 : 1;
        }
        pos = end;
    }
    return items;
}

} // namespace

void FileProblem::report() const {
    Problems::report(problem());
}

Problem FileProblem::problem() const {
    return Problem::failure(className, operation, number, text);
}

std::optional<Problem> asProblem(const std::optional<FileProblem>& problem) {
    if (!problem) return std::nullopt;
    return problem->problem();
}

void reportProblem(const std::optional<FileProblem>& problem) {
    if (problem) problem->report();
}

namespace CFileData {

FileProblem ReadReport::tooLong() const {
    return problemOf("CFileData", "readText", ErrorNumbers::Overflow,
                     QStringLiteral("Field too long: %1 holds a line of more than %2 characters, "
                                    "which no field of this file can be")
                         .arg(path)
                         .arg(maxLineField));
}

QStringList readFields(const QString& path, const Limits& limits, ReadReport& report) {
    report = ReadReport();
    report.path = path;
    report.maxLineField = limits.maxLineField;
    QString found = path;
    if (!MSmallBallStruct::FileExists(found)) return {};
    report.path = found;

    QFile file(found);
    if (file.size() > limits.maxBytes) {
        report.problem =
            problemOf("CFileData", "openTextInput", ErrorNumbers::OutOfMemory,
                      QStringLiteral("Out of memory: %1 is too large for a data file").arg(found));
        return {};
    }
    if (!file.open(QIODevice::ReadOnly)) {
        report.problem = problemOf(
            "CFileData", "openTextInput", ErrorNumbers::PathAccess,
            QStringLiteral("Path/File access error: %1 (%2)").arg(found, file.errorString()));
        return {};
    }
    const QByteArray data = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        report.problem =
            problemOf("CFileData", "openTextInput", ErrorNumbers::DeviceIO,
                      QStringLiteral("Device I/O error: %1 (%2)").arg(found, file.errorString()));
        return {};
    }
    report.opened = true;

    const QList<QByteArrayView> items = splitItems(data, limits.mostFields);
    QStringList fields;
    fields.reserve(items.size());
    for (qsizetype i = 0; i < items.size(); ++i) {
        const int number = int(i) + 1;
        const bool multiline = limits.multilineFields.contains(number);
        const bool overLimit =
            !multiline && limits.maxLineField > 0 && items[i].size() > limits.maxLineField;
        if (overLimit && report.tooLongField == 0) report.tooLongField = number;
        fields.append(overLimit ? QString()
                                : decodeField(QString::fromLatin1(items[i]), multiline));
    }
    return fields;
}

std::optional<FileProblem> writeFields(const QString& path, const QList<Field>& fields) {
    auto file = outputDevice(path);
    if (path.isEmpty() || !file->open(QIODevice::WriteOnly | QIODevice::Truncate))
        return problemOf(
            "CFileData", "openTextOutput", ErrorNumbers::PathAccess,
            QStringLiteral("Path/File access error: %1 (%2)").arg(path, file->errorString()));
    QByteArray data;
    for (const Field& field : fields) {
        data += encodeField(field.text, field.multiline).toLatin1();
        data += "\r\n";
    }
    bool written = data.isEmpty() || file->write(data) == data.size();
    if (!file->flush()) written = false;
    // A failed write leaves the temporary file for the device's destructor, which removes it
    // and leaves the target as it was.
    if (auto* save = dynamic_cast<QSaveFile*>(file.get()))
        written = written && save->commit();
    else
        file->close();
    if (!written)
        return problemOf(
            "CFileData", "closeText", ErrorNumbers::DeviceIO,
            QStringLiteral("Device I/O error: %1 (%2)").arg(file->fileName(), file->errorString()));
    return std::nullopt;
}

bool filenameSubstrings(const QString& Full, QString& fname, QString& PName, QString& ext) {
    if (Full.isEmpty()) return false;
    qsizetype lastSeparator = -1;
    for (qsizetype i = 0; i < Full.size(); ++i)
        if (MSmallBallStruct::isPathSeparator(Full[i])) lastSeparator = i;
    PName = Full.left(lastSeparator + 1);
    fname = Full.mid(lastSeparator + 1);
    // The first dot of the whole path starts the extension, even inside a folder name.
    const qsizetype dot = Full.indexOf('.');
    ext = dot < 0 ? QString() : Full.mid(dot);
    return true;
}

// The escapes are applied in one pass over the text, copying the runs between them whole.
// QString::replace moves the rest of the text once for every 1024 matches, which is quadratic in
// a field made mostly of matches: 4 MB of commas took minutes to save, 4 MB of escaped line
// breaks seconds to read. Neither escape's text can start, end or sit inside the other's, so one
// pass gives what two replaces in turn gave.
QString encodeField(const QString& text, bool multiline) {
    const QChar* const in = text.constData();
    const qsizetype size = text.size();
    QString out(2 * size, Qt::Uninitialized); // no escape is more than twice its text
    QChar* to = out.data();
    qsizetype run = 0; // start of the text not yet copied
    qsizetype comma = text.indexOf(u',');
    qsizetype cr = multiline ? text.indexOf(u'\r') : -1;
    while (comma >= 0 || cr >= 0) {
        const bool isComma = cr < 0 || (comma >= 0 && comma < cr);
        const qsizetype at = isComma ? comma : cr;
        const bool lineEnd = !isComma && at + 1 < size && in[at + 1] == u'\n';
        if (isComma || lineEnd) {
            to = std::copy(in + run, in + at, to);
            const char* escape = isComma ? "|~" : "|@|{";
            while (*escape)
                *to++ = QLatin1Char(*escape++);
            run = at + (isComma ? 1 : 2);
        }
        if (isComma)
            comma = text.indexOf(u',', at + 1);
        else
            cr = text.indexOf(u'\r', at + 1);
    }
    to = std::copy(in + run, in + size, to);
    out.truncate(to - out.constData());
    return out;
}

QString decodeField(const QString& text, bool multiline) {
    const QChar* const in = text.constData();
    const qsizetype size = text.size();
    QString out(size, Qt::Uninitialized); // decoding only shortens
    QChar* to = out.data();
    qsizetype run = 0; // start of the text not yet copied
    for (qsizetype bar = text.indexOf(u'|'); bar >= 0; bar = text.indexOf(u'|', bar + 1)) {
        const bool lineEnd = multiline && bar + 3 < size && in[bar + 1] == u'@' &&
                             in[bar + 2] == u'|' && in[bar + 3] == u'{';
        const bool comma = !lineEnd && bar + 1 < size && in[bar + 1] == u'~';
        if (!lineEnd && !comma) continue;
        to = std::copy(in + run, in + bar, to);
        if (lineEnd) {
            *to++ = u'\r';
            *to++ = u'\n';
        } else {
            *to++ = u',';
        }
        run = bar + (lineEnd ? 4 : 2);
        bar = run - 1;
    }
    to = std::copy(in + run, in + size, to);
    out.truncate(to - out.constData());
    return out;
}

} // namespace CFileData

bool CFileDiff::isSame(const QString& filename1, const QString& filename2) {
    blocksRead = 0;
    problem.reset();
    // A missing file reads as empty; the lengths alone decide unequal files.
    const QFileInfo info1(filename1);
    const QFileInfo info2(filename2);
    const qint64 length = info1.exists() ? info1.size() : 0;
    if ((info2.exists() ? info2.size() : 0) != length) return false;
    if (length == 0) return true;

    QFile file1(filename1);
    QFile file2(filename2);
    for (QFile* f : {&file1, &file2}) {
        if (!f->open(QIODevice::ReadOnly)) {
            problem = problemOf("CFileDiff", "isSame", ErrorNumbers::PathAccess,
                                QStringLiteral("Path/File access error: %1 (%2)")
                                    .arg(f->fileName(), f->errorString()));
            return false;
        }
    }
    const qint64 blocks = length / blockSize;
    for (qint64 i = 0; i < blocks; ++i) {
        ++blocksRead;
        if (file1.read(blockSize) != file2.read(blockSize)) return false;
    }
    const qint64 rest = length % blockSize;
    return file1.read(rest) == file2.read(rest);
}

namespace {
// The whole file, or nothing for a missing one (read as empty, like isSame); false when it
// exists but cannot be read or is too large to be a data file.
bool readWhole(const QString& path, QByteArray& bytes, std::optional<FileProblem>& problem) {
    QFile file(path);
    if (!file.exists()) return true;
    if (file.size() > CFileData::MaxInputBytes) return false;
    if (!file.open(QIODevice::ReadOnly)) {
        problem = problemOf(
            "CFileDiff", "isSame", ErrorNumbers::PathAccess,
            QStringLiteral("Path/File access error: %1 (%2)").arg(path, file.errorString()));
        return false;
    }
    bytes = file.readAll();
    return true;
}

// Steps over one line end at `i` (CR LF, CR or LF); false when there is none.
bool skipLineEnd(const QByteArray& text, qsizetype& i) {
    if (i >= text.size()) return false;
    if (text[i] == '\r') {
        ++i;
        if (i < text.size() && text[i] == '\n') ++i;
        return true;
    }
    if (text[i] == '\n') {
        ++i;
        return true;
    }
    return false;
}
} // namespace

bool CFileDiff::isSameText(const QString& filename1, const QString& filename2) {
    blocksRead = 0;
    problem.reset();
    QByteArray a, b;
    if (!readWhole(filename1, a, problem) || !readWhole(filename2, b, problem)) return false;
    qsizetype i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        const bool endA = skipLineEnd(a, i);
        const bool endB = skipLineEnd(b, j);
        if (endA != endB) return false;
        if (endA) continue;
        if (a[i] != b[j]) return false;
        ++i;
        ++j;
    }
    return i == a.size() && j == b.size();
}
