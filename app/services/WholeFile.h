// Files written whole or not at all: the bytes go to a temporary file beside the target, which
// takes the target's place only once every byte is on disk. A full disk, a missing folder or a
// crash mid-write leave an existing file as it was. A device or a pipe (/dev/stdout, /dev/full)
// cannot be replaced by renaming and is written in place, its errors checked the same.
#pragma once

#include <QByteArray>
#include <QString>

namespace WholeFile {

// Empty when `bytes` are in `path`; otherwise the file system's reason ("No space left on
// device"), the target as it was.
QString write(const QString& path, const QByteArray& bytes);

} // namespace WholeFile
