#include "services/CFileData.h"
#include "services/ErrorNumbers.h"

#include "services/MSmallBallStruct.h"

#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <algorithm>
#include <cstring>
#include <map>
#include <memory>

namespace {

// Run-time error numbers shared with the rest of the program's reports.

// One open text file. Input files are read whole when opened (data files are a few hundred
// bytes); output text collects in `data` and goes to a temporary file beside the target, which
// replaces the target only when closeText finds every byte written. A full disk, a vanished
// folder or a crash mid-write therefore leaves the previous file as it was.
struct Stream {
    bool output = false;
    QByteArray data;
    qsizetype pos = 0; // next unread byte (input)
    std::unique_ptr<QFileDevice> file;
    QString path;         // for messages
    bool ok = true;       // every write so far reached the file
    bool tooLong = false; // a single-line field over the limit was met (input)

    // Writes collected text to the file and flushes it; false once anything failed.
    bool push() {
        if (!output || !file) return ok;
        if (!data.isEmpty()) {
            if (file->write(data) != data.size()) ok = false;
            data.clear();
        }
        if (!file->flush()) ok = false;
        return ok;
    }

    // Puts the written text in place of the target; false (target untouched) on any failure.
    bool commit() {
        const bool written = push();
        // A failed write leaves the temporary file for the destructor, which removes it.
        if (auto* save = dynamic_cast<QSaveFile*>(file.get())) return written && save->commit();
        file->close();
        return written;
    }
    // A stream never closed (the program ended mid-write) is discarded: QSaveFile removes its
    // temporary file and the target keeps its previous contents.
};

// The target of an output file: a device or pipe (/dev/null, /dev/full) cannot be replaced by
// renaming and is written in place; everything else goes through a temporary file.
std::unique_ptr<QFileDevice> outputDevice(const QString& path) {
    const QFileInfo info(path);
    if (info.exists() && !info.isFile() && !info.isDir()) return std::make_unique<QFile>(path);
    return std::make_unique<QSaveFile>(path);
}

// The process-wide table of open files, keyed by file number, and the outcome of the last
// output file closed under each number.
struct StreamTable {
    std::map<int16_t, std::unique_ptr<Stream>> open;
    std::map<int16_t, bool> lastWriteOk;
};

StreamTable& streams() {
    static StreamTable table;
    return table;
}

Stream* findStream(int16_t fNum) {
    auto& open = streams().open;
    const auto it = open.find(fNum);
    return it == open.end() ? nullptr : it->second.get();
}

void report(const char* className, const char* operation, long number, const QString& text) {
    MSmallBallStruct::HandleError(QString::fromLatin1(className), QString::fromLatin1(operation),
                                  number, text);
}

const QString badFileNumber = QStringLiteral("Bad file name or number");

} // namespace

CFileData::CFileData() = default;

CFileData::~CFileData() = default;

void CFileData::closeText(int16_t fNum) {
    auto& table = streams();
    const auto it = table.open.find(fNum);
    if (it == table.open.end()) return; // closing a number not in use is harmless
    std::unique_ptr<Stream> stream = std::move(it->second);
    table.open.erase(it);
    if (!stream->output) return;

    const bool written = stream->commit();
    table.lastWriteOk[fNum] = written;
    if (!written)
        report("CFileData", "closeText", ErrorNumbers::DeviceIO,
               QStringLiteral("Device I/O error: %1 (%2)")
                   .arg(stream->file->fileName(), stream->file->errorString()));
}

bool CFileData::filenameSubstrings(const QString& Full, QString& fname, QString& PName,
                                   QString& ext) const {
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

bool CFileData::isSame(const QString& filename1, const QString& filename2) {
    if (!comparer) comparer = std::make_unique<CFileDiff>();
    return comparer->isSame(filename1, filename2);
}

bool CFileData::isSameText(const QString& filename1, const QString& filename2) {
    if (!comparer) comparer = std::make_unique<CFileDiff>();
    return comparer->isSameText(filename1, filename2);
}

bool CFileData::openTextInput(int16_t fNum) {
    closeText(fNum); // a number left open by an interrupted reader is reused, not refused
    QString path = filename;
    if (!MSmallBallStruct::FileExists(path)) return false;
    filename = path;

    QFile file(path);
    // Data files are a few hundred bytes; a file of hundreds of megabytes is some other file
    // chosen by mistake (a film, a disk image), and reading it whole could exhaust memory.
    if (file.size() > MaxInputBytes) {
        report("CFileData", "openTextInput", ErrorNumbers::OutOfMemory,
               QStringLiteral("Out of memory: %1 is too large for a data file").arg(path));
        return false;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        report("CFileData", "openTextInput", ErrorNumbers::PathAccess,
               QStringLiteral("Path/File access error: %1 (%2)").arg(path, file.errorString()));
        return false;
    }
    auto stream = std::make_unique<Stream>();
    stream->path = path;
    stream->data = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        report("CFileData", "openTextInput", ErrorNumbers::DeviceIO,
               QStringLiteral("Device I/O error: %1 (%2)").arg(path, file.errorString()));
        return false;
    }
    streams().open[fNum] = std::move(stream);
    return true;
}

bool CFileData::openTextOutput(int16_t fNum) {
    closeText(fNum);
    auto file = outputDevice(filename);
    if (filename.isEmpty() || !file->open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        report(
            "CFileData", "openTextOutput", ErrorNumbers::PathAccess,
            QStringLiteral("Path/File access error: %1 (%2)").arg(filename, file->errorString()));
        return false;
    }
    auto stream = std::make_unique<Stream>();
    stream->output = true;
    stream->file = std::move(file);
    auto& table = streams();
    table.lastWriteOk.erase(fNum);
    table.open[fNum] = std::move(stream);
    return true;
}

// The next item of an input file: text up to a comma or a line end (CR, LF or CR LF), which is
// consumed. Past the end, or on a number not open for reading, the item is empty. An item longer
// than `limit` (0: no limit) is skipped, reads as empty and marks the stream.
static QString readItem(int16_t fNum, bool eofIsError, qsizetype limit = 0) {
    Stream* stream = findStream(fNum);
    if (!stream || stream->output) {
        if (eofIsError)
            report("CFileData", "readText",
                   stream ? ErrorNumbers::BadFileMode : ErrorNumbers::BadFileNumber,
                   stream ? QStringLiteral("Bad file mode") : badFileNumber);
        return QString();
    }
    const QByteArray& data = stream->data;
    qsizetype pos = stream->pos;
    if (pos >= data.size()) {
        if (eofIsError)
            report("CFileData", "readText", ErrorNumbers::PastEnd, "Input past end of file");
        return QString();
    }
    // Found with memchr, not byte by byte: a note may run to megabytes.
    qsizetype end = data.size();
    for (const char stop : {',', '\r', '\n'}) {
        const void* at = std::memchr(data.constData() + pos, stop, size_t(end - pos));
        if (at) end = static_cast<const char*>(at) - data.constData();
    }
    const bool overLimit = limit > 0 && end - pos > limit;
    if (overLimit && !stream->tooLong) {
        stream->tooLong = true;
        report("CFileData", "readText", ErrorNumbers::Overflow,
               QStringLiteral("Field too long: %1 holds a line of more than %2 characters, which "
                              "no field of this file can be")
                   .arg(stream->path)
                   .arg(limit));
    }
    const QString item = overLimit ? QString() : QString::fromLatin1(data.mid(pos, end - pos));
    if (end < data.size()) {
        const bool crlf = data[end] == '\r' && end + 1 < data.size() && data[end + 1] == '\n';
        end += crlf ? 2 : 1;
    }
    stream->pos = end;
    return item;
}

QString CFileData::readMultilineText(int16_t fNum) {
    return decodeField(readItem(fNum, eofIsError), true);
}

QString CFileData::readText(int16_t fNum) {
    return decodeField(readItem(fNum, eofIsError, MaxLineField), false);
}

bool CFileData::fieldTooLong(int16_t fNum) const {
    const Stream* stream = findStream(fNum);
    return stream && stream->tooLong;
}

// Appends one encoded field and its CR LF to the file open for writing under fNum.
static void writeField(const QString& encoded, int16_t fNum) {
    Stream* stream = findStream(fNum);
    if (!stream || !stream->output) {
        report("CFileData", "writeText",
               stream ? ErrorNumbers::BadFileMode : ErrorNumbers::BadFileNumber,
               stream ? QStringLiteral("Bad file mode") : badFileNumber);
        return;
    }
    stream->data += encoded.toLatin1();
    stream->data += "\r\n";
}

void CFileData::writeMultilineText(const QString& inp, int16_t fNum) {
    writeField(encodeField(inp, true), fNum);
}

void CFileData::writeText(const QString& inp, int16_t fNum) {
    writeField(encodeField(inp, false), fNum);
}

bool CFileData::atEnd(int16_t fNum) const {
    const Stream* stream = findStream(fNum);
    return !stream || stream->output || stream->pos >= stream->data.size();
}

bool CFileData::writeOk(int16_t fNum) const {
    if (Stream* stream = findStream(fNum)) return stream->output && stream->push();
    const auto& last = streams().lastWriteOk;
    const auto it = last.find(fNum);
    return it != last.end() && it->second;
}

// The escapes are applied in one pass over the text, copying the runs between them whole.
// QString::replace moves the rest of the text once for every 1024 matches, which is quadratic in
// a field made mostly of matches: 4 MB of commas took minutes to save, 4 MB of escaped line
// breaks seconds to read. Neither escape's text can start, end or sit inside the other's, so one
// pass gives what two replaces in turn gave.
QString CFileData::encodeField(const QString& text, bool multiline) {
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

QString CFileData::decodeField(const QString& text, bool multiline) {
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

bool CFileDiff::isSame(const QString& filename1, const QString& filename2) {
    blocksRead = 0;
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
            report("CFileDiff", "isSame", ErrorNumbers::PathAccess,
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
bool readWhole(const QString& path, QByteArray& bytes) {
    QFile file(path);
    if (!file.exists()) return true;
    if (file.size() > CFileData::MaxInputBytes) return false;
    if (!file.open(QIODevice::ReadOnly)) {
        report("CFileDiff", "isSame", ErrorNumbers::PathAccess,
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
    QByteArray a, b;
    if (!readWhole(filename1, a) || !readWhole(filename2, b)) return false;
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
