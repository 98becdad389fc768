// The load data file (.qvt): 32 fields, older shorter files recognised by where they end.
#pragma once

#include "load/CFileData.h"
#include "load/LoadForm.h"

namespace LoadFile {

constexpr int16_t FileNumber = 1;

// Reads the file named by dat.filename into `form`. Fields from the first one that does not
// convert on keep the values `form` had. False (form untouched) when the file does not exist.
bool dataLoad(CFileData& dat, LoadForm& form);

// Writes `form` to the file named by dat.filename. False when it could not be written.
bool dataSaveTable(CFileData& dat, const LoadForm& form);

} // namespace LoadFile
