// The session file (.ssn): 30 fields, one per line, in a fixed order. This unit knows the order,
// the kind of each record and how its text converts, and reads a file into a value and writes a
// value to a file; it never touches the simulator or the window.
#pragma once

#include "services/CFileData.h"
#include "sim/SimSettings.h"

#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>

namespace SessionFile {

constexpr int RecordCount = 30;
constexpr int NotesRecord = 25;    // the one multi-line field
constexpr int LoadFileRecord = 24; // the load data file the session was made with

// The values a session carries beyond the controls.
struct Values {
    SimSettings settings;
    int16_t sight = 0;       // record 9
    float milsPerScreen = 0; // record 12 on reading
    float viewOffsetX = 0;   // record 28
    float viewOffsetY = 0;   // record 29
    QString loadFile;        // record 24
};

// A conversion failure: the error number and text the session reader reports.
struct Failure {
    long number = 0;
    QString description;
};

// What reading a session file found.
struct ReadReport {
    bool opened = false; // the file exists and was read
    // The file read: the application folder's copy when only that exists.
    QString path;
    // The first record that could not be taken (its text did not convert, or it was too long
    // to be a record); 0 when the file was read whole. The records before it were taken.
    int stoppedAt = 0;
    // What to tell the user: why the file could not be read, or why the reading stopped.
    std::optional<FileProblem> problem;

    bool damaged() const { return stoppedAt != 0; }
    // Records 1..n were taken.
    bool reached(int number) const { return opened && (stoppedAt == 0 || number < stoppedAt); }
};

struct Read {
    Values values;
    ReadReport report;
};

// Reads the session file at `path` over `start` (the values in force, the sliders' ranges set
// for reading): each record replaces its value in turn; from a damaged record on, `start`'s
// values stay. A missing file gives `start` back and report.opened false, with no problem.
Read read(const QString& path, const Values& start);

// Writes the 30 records of `values` to `path`, replacing the file whole or not at all.
std::optional<FileProblem> write(const QString& path, const Values& values);

// The 30 texts of a session, record 1 first (not yet escaped for the file).
QStringList records(const Values& values);
// The bytes write() puts into a file for `values`, written nowhere.
QByteArray bytesOf(const Values& values);

// Puts the text of record `number` (1..30) into `values`. A text record takes any text; a
// numeric one that does not convert (empty, garbled, out of range) leaves `values` as it was
// and returns the failure.
std::optional<Failure> apply(int number, const QString& text, Values& values);

bool isMultiline(int number);

// The neighbouring numbered session of `path` ("range3.ssn" -> "range4.ssn" forwards,
// "range2.ssn" backwards): the number the name ends in, before its four-character extension,
// plus or minus one. Nothing when the name ends in no number, or backwards when the number
// would fall below 1. "range9.ssn" forwards gives "range10.ssn", "range11.ssn" backwards
// "range10.ssn".
std::optional<QString> steppedName(const QString& path, bool forward);

// "Quorvel Tables -     Load: <cartridge>      Session: <file name>".
QString windowCaption(const QString& cartridge, const QString& sessionPath);

} // namespace SessionFile
