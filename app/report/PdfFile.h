// A PDF written whole or not at all (WholeFile): a full disk, a missing folder or a failed
// drawing leave an existing file as it was.
#pragma once

#include <QString>
#include <functional>

class QPdfWriter;

namespace PdfFile {

// Draws the pages through `draw` (false when the drawing failed, having said why) and puts the
// file in place. When not written, `problem` holds the file system's reason ("No space left on
// device"), or is empty when `draw` failed and has said why itself.
struct Result {
    bool written = false;
    QString problem; // the file system's reason, when the file could not be written
};
Result write(const QString& path, const std::function<bool(QPdfWriter&)>& draw);

} // namespace PdfFile
