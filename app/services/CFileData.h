// Text files of one field per line, known by small file numbers: 1 load data, 2 comparison load,
// 3 last-file record, 4 session. Fields escape "," as "|~" and, in multi-line fields, CR LF as
// "|@|{". Lines end in CR LF; text is single-byte (Latin-1).
#pragma once

#include <QString>
#include <cstdint>
#include <memory>

class CFileDiff;

class CFileData {
public:
    CFileData();
    ~CFileData();

    QString filename;        // the file the next open acts on
    bool eofIsError = false; // report reads past the end through HandleError

    // Closes the file open under fNum; a file open for writing replaces its target here, whole.
    void closeText(int16_t fNum);
    // Splits a path into file name, folder (ending in its separator) and extension (from the
    // first "." of the whole path). False for an empty path, outputs untouched.
    bool filenameSubstrings(const QString& Full, QString& fname, QString& PName,
                            QString& ext) const;
    bool isSame(const QString& filename1, const QString& filename2);
    // The same texts when every line end (CR LF, LF or CR) counts as one: a file written by an
    // editor with other line ends is not a changed file.
    bool isSameText(const QString& filename1, const QString& filename2);
    // Opens `filename` for reading (FileExists rule: the application folder's copy is used and
    // `filename` rewritten when the path itself is missing). False, silently, when missing.
    // A file larger than MaxInputBytes is refused with a message.
    bool openTextInput(int16_t fNum);
    static constexpr qint64 MaxInputBytes = 256 * 1024 * 1024;
    // Opens `filename` for writing. The fields go to a temporary file in the same folder, which
    // closeText puts in place of `filename` once all of it is written; until then, and after any
    // failure (reported at closeText), the previous file stays as it was.
    bool openTextOutput(int16_t fNum);
    QString readMultilineText(int16_t fNum);
    // One single-line field. A field longer than MaxLineField characters is no path, number or
    // name but a damaged file: it reads as empty, is reported once for the file (naming it), and
    // fieldTooLong tells the reader to give the file up.
    QString readText(int16_t fNum);
    static constexpr qsizetype MaxLineField = 32767;
    bool fieldTooLong(int16_t fNum) const;
    void writeMultilineText(const QString& inp, int16_t fNum);
    void writeText(const QString& inp, int16_t fNum);

    // True when the file open for reading under fNum has no more fields.
    bool atEnd(int16_t fNum) const;
    // True when every write since openTextOutput succeeded (checked before closing): the text
    // written so far is pushed to the disk first, so a full disk shows here. After closeText
    // it tells whether the file under that number was written out completely.
    bool writeOk(int16_t fNum) const;

    // Field escapes, exposed for the readers that decode text of their own.
    static QString encodeField(const QString& text, bool multiline);
    static QString decodeField(const QString& text, bool multiline);

private:
    std::unique_ptr<CFileDiff> comparer;
};

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
};
