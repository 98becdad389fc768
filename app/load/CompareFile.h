// The comparison load: the first 17 fields of a saved load data file, read into a second load
// record so the graph can draw its curve beside the load on screen.
#pragma once

#include "load/CInput.h"
#include "load/PrecisionForm.h"
#include "services/CFileData.h"

#include <QList>
#include <QString>

namespace CompareFile {

// Cartridge name to scope magnification; drag model, angle and the air come from the load on
// screen.
constexpr int FieldCount = 17;

// Reads the comparison file `compareFile` into `compareInput`. Reading stops at the first field
// that does not convert; the fields read before it keep their new values, the rest keep what
// `compareInput` held. `compareFile` becomes the application folder's copy when the file is only
// found there. True once the file opened. What was wrong with the file is added to `problems`,
// for the entry point to report. `fieldsRead` (optional) receives the number of fields applied.
bool dataLoadCompare(CInput& compareInput, QString& compareFile, QList<Problem>& problems,
                     int* fieldsRead = nullptr);

// The precision part of the comparison file (the model's switch and inputs it was saved with):
// the comparison is drawn with its own model. Off when the file has none or cannot be read (the
// file's problem added to `problems`).
PrecisionForm precisionOf(const QString& compareFile, QList<Problem>& problems);

// False for a file whose fields are no load's (LoadFile::ReadReport::notALoad): bytes of some
// other file, which draw no comparison. The file's problem is added to `problems`.
bool isLoadFile(const QString& compareFile, QList<Problem>& problems);

// The file-name part shown in the comparison list ("" for an empty path).
QString compareName(const QString& compareFile);

} // namespace CompareFile
