#include "shell/NotesBox.h"

#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QStringList>
#include <QTextBlock>
#include <QTextDocument>
#include <algorithm>

namespace NotesBox {

namespace {

// Ends a piece that the next paragraph of the box continues.
constexpr QChar Continued(0x200B);

// Cuts a paragraph into pieces of at most PieceLength, each ending after a blank when there is
// one in its second half, so the pieces read as wrapped lines.
void appendPieces(const QString& paragraph, QStringList& pieces) {
    qsizetype start = 0;
    do {
        qsizetype end = std::min(paragraph.size(), start + PieceLength);
        if (end < paragraph.size()) {
            const qsizetype blank = paragraph.lastIndexOf(QLatin1Char(' '), end - 1);
            if (blank > start + PieceLength / 2) end = blank + 1;
        }
        pieces << paragraph.mid(start, end - start) +
                      (end < paragraph.size() ? QString(Continued) : QString());
        start = end;
    } while (start < paragraph.size());
}

} // namespace

void configure(QPlainTextEdit* box) {
    box->setTabChangesFocus(true);
    box->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
}

void show(QPlainTextEdit* box, const QString& notes) {
    static const QRegularExpression lineBreak(QStringLiteral("\r\n|\r|\n"));
    QStringList pieces;
    for (const QString& paragraph : notes.split(lineBreak))
        appendPieces(paragraph, pieces);
    box->setPlainText(pieces.join(QLatin1Char('\n')));
}

QString read(const QPlainTextEdit* box) {
    const QTextDocument* document = box->document();
    QString notes;
    notes.reserve(document->characterCount() + document->blockCount());
    bool continued = true; // nothing to break before the first paragraph
    for (QTextBlock block = document->firstBlock(); block.isValid(); block = block.next()) {
        if (!continued) notes += QLatin1String("\r\n");
        const QString text = block.text();
        continued = text.endsWith(Continued);
        notes += text;
    }
    // Marks stranded inside a paragraph by editing are no part of the notes either.
    notes.remove(Continued);
    return notes;
}

} // namespace NotesBox
