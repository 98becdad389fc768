// The load data file (.qvt): 32 fields, 9 more (33 to 41) for a load that used the precision
// model, 42 to 45 (pressure reference, cant, aerodynamic jump, wind zones) only when one of
// them differs from its default, and 46 to 53 (the hit probability's target, group and spreads)
// only for a load that has them; older, shorter files are recognised by where they end. Readers
// that know fewer fields never split the rest.
#pragma once

#include "load/LoadForm.h"
#include "services/CFileData.h"

namespace LoadFile {

// What reading a file found.
struct ReadReport {
    bool opened = false; // the file exists and was read
    // The file read: the application folder's copy when only that exists.
    QString path;
    bool refused = false; // the file was given up, nothing applied
    // Why it was refused: its fields are no load's (control characters, a number field holding
    // words), rather than one field too long to be any (which the file layer reports itself).
    bool notALoad = false;
    int stoppedAt = 0;    // the field (1..53) whose text did not convert, 0 when none did
    int fieldsInFile = 0; // the fields the file holds, up to the 53 a load has

    // The reading stopped because the file ended there, not at a field holding the wrong text.
    bool cutShort() const { return stoppedAt > fieldsInFile; }

    // Read to its end, or to the end of an older, shorter layout.
    bool whole() const { return opened && !refused && stoppedAt == 0; }
};

// Reads the file at `path` into `form`. Fields from the first one that does not convert on keep
// the values `form` had; a file that ends where an older layout ends (after field 24, 30 or 32)
// is whole. The precision fields are the defaults unless the file has them. `form` is untouched
// when the file does not exist or is refused. A file that exists but cannot be read, or has a
// field too long for any, is reported through the file layer's problem; a file whose fields are
// no load's is refused (notALoad) without a word: damageMessage says why.
ReadReport read(const QString& path, LoadForm& form);
// The same, the file layer's problem handed back in `fileProblem` rather than reported.
ReadReport read(const QString& path, LoadForm& form, std::optional<Problem>& fileProblem);

// read(), true once the file could be opened and was not refused.
bool dataLoad(const QString& path, LoadForm& form);

// What to tell the user about a file that was not read whole: that it is no load file, or where
// it ended or the reading stopped, and the fields whose text (in `form`, as read) does not pass
// their check. Empty for a whole read and for a refusal the file layer has reported.
QString damageMessage(const QString& path, const ReadReport& report, const LoadForm& form);

// Writes `form` to the file at `path`, replacing it whole or not at all. False (the failure
// reported) when it could not be written.
bool dataSaveTable(const QString& path, const LoadForm& form);
// The bytes dataSaveTable writes for `form`, written nowhere.
QByteArray bytesOf(const LoadForm& form);

} // namespace LoadFile
