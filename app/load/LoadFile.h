// The load data file (.qvt): 32 fields, 9 more (33 to 41) for a load that used the precision
// model, and field 42 (the pressure's reference) only when it is not the station's; older,
// shorter files are recognised by where they end.
#pragma once

#include "load/LoadForm.h"
#include "services/CFileData.h"

namespace LoadFile {

constexpr int16_t FileNumber = 1;

// What reading a file found.
struct ReadReport {
    bool opened = false;  // the file exists and was read
    bool refused = false; // a field too long to be one: the file was given up, nothing applied
    int stoppedAt = 0;    // the field (1..42) whose text did not convert, 0 when none did

    // Read to its end, or to the end of an older, shorter layout.
    bool whole() const { return opened && !refused && stoppedAt == 0; }
};

// Reads the file named by dat.filename into `form`. Fields from the first one that does not
// convert on keep the values `form` had; a file that ends where an older layout ends (after
// field 24, 30 or 32) is whole. The precision fields are the defaults unless the file has them.
// `form` is untouched when the file does not exist or is refused.
ReadReport read(CFileData& dat, LoadForm& form);

// read(), true once the file could be opened and was not refused.
bool dataLoad(CFileData& dat, LoadForm& form);

// What to tell the user about a file that was not read whole: where the reading stopped, and
// the fields whose text (in `form`, as read) does not pass their check. Empty for a whole read.
QString damageMessage(const QString& path, const ReadReport& report, const LoadForm& form);

// Writes `form` to the file named by dat.filename. False when it could not be written.
bool dataSaveTable(CFileData& dat, const LoadForm& form);

} // namespace LoadFile
