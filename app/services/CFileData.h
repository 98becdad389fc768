// Text files of one field per line: the load data file, the comparison load, the last-file
// record and the session. Fields escape "," as "|~" and, in multi-line fields, CR LF as
// "|@|{". Lines end in CR LF; text is single-byte (Latin-1).
//
// A file is read whole into a list of fields and written whole from one: no file stays open
// between calls, and nothing here is shown to the user. What went wrong comes back as a
// FileProblem for the caller to report once.
#pragma once

#include "services/Problem.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

// A failure of the file layer, in the numbers and words of the program's error reports.
struct FileProblem {
    QString className;
    QString operation;
    long number = 0;
    QString text;

    // "<className> <operation>: <number> - <text>" through the program's one reporter.
    void report() const;
    // The same failure as a value, for a caller that hands it to its entry point.
    Problem problem() const;
};

// Reports the problem, when there is one.
void reportProblem(const std::optional<FileProblem>& problem);
// The problem as a value, when there is one.
std::optional<Problem> asProblem(const std::optional<FileProblem>& problem);

namespace CFileData {

// A data file of hundreds of megabytes is some other file chosen by mistake (a film, a disk
// image); reading it whole could exhaust memory.
constexpr qint64 MaxInputBytes = 256 * 1024 * 1024;
// A single-line field longer than this is no path, number or name but a damaged file.
constexpr qsizetype MaxLineField = 32767;

// One field to write: its text, and whether its line breaks are kept (escaped).
struct Field {
    QString text;
    bool multiline = false;
};

// How a file is read: its largest size, the longest single-line field, and the fields (numbered
// from 1) that are multi-line: decoded with the line-break escape and never too long.
struct Limits {
    qint64 maxBytes = MaxInputBytes;
    qsizetype maxLineField = MaxLineField;
    QList<int> multilineFields;
    // The fields a reader can use; the rest of the file is not split (0: every field).
    int mostFields = 0;
};

// What reading a file found.
struct ReadReport {
    bool opened = false; // the file exists and was read
    // The file read: the application folder's copy when only that exists (FileExists rule),
    // else the path asked for.
    QString path;
    // Why a file that exists could not be read (too large, no access, an I/O error).
    std::optional<FileProblem> problem;
    // The first single-line field (from 1) longer than the limit, which reads as empty; 0 when
    // none. A reader that reaches it gives the file up and reports tooLong().
    int tooLongField = 0;
    qsizetype maxLineField = MaxLineField;

    // The message for the over-long field, naming the file.
    FileProblem tooLong() const;
};

// Every field of the file at `path`, decoded. A field ends at a comma or a line end (CR, LF or
// CR LF). A missing file gives no fields and no problem (report.opened false).
QStringList readFields(const QString& path, const Limits& limits, ReadReport& report);

// Writes `fields` to `path`, one per line. The text goes to a temporary file in the same folder
// that replaces `path` only once all of it is written: after any failure the previous file
// stays as it was. A device or pipe (/dev/null, /dev/full) is written in place.
std::optional<FileProblem> writeFields(const QString& path, const QList<Field>& fields);

// Splits a path into file name, folder (ending in its separator) and extension (from the
// first "." of the whole path). False for an empty path, outputs untouched.
bool filenameSubstrings(const QString& Full, QString& fname, QString& PName, QString& ext);

// Field escapes, exposed for the readers that decode text of their own.
QString encodeField(const QString& text, bool multiline);
QString decodeField(const QString& text, bool multiline);

} // namespace CFileData

class CFileDiff {
public:
    // Same length and identical bytes, compared in 1024-byte blocks. A missing file counts as
    // an empty one (and is not created).
    bool isSame(const QString& filename1, const QString& filename2);

    // isSame, except that CR LF, LF and CR all count as the same line end. Linear in the files'
    // sizes; files too large to be data files are not the same.
    bool isSameText(const QString& filename1, const QString& filename2);

    static constexpr qint64 blockSize = 1024;
    // Blocks compared by the last isSame (0 when the lengths alone decided).
    int blocksRead = 0;
    // Why the last comparison could not read a file (then the files counted as different).
    std::optional<FileProblem> problem;
};
