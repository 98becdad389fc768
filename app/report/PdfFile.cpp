#include "report/PdfFile.h"

#include "services/WholeFile.h"

#include <QBuffer>
#include <QPdfWriter>

namespace PdfFile {

Result write(const QString& path, const std::function<bool(QPdfWriter&)>& draw) {
    // The pages are made in memory (a card or a table is some kilobytes, a graph a few hundred)
    // and written in one piece.
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    bool drawn = false;
    {
        QPdfWriter writer(&buffer);
        drawn = draw(writer);
    }
    if (!drawn) return {false, {}};
    const QString problem = WholeFile::write(path, bytes);
    return {problem.isEmpty(), problem};
}

} // namespace PdfFile
