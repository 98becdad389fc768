// The load notes in their text box. A text box lays a paragraph out whole, and a paragraph of
// megabytes (a pasted log, a line without breaks) takes seconds to lay out each time the box
// changes size; one without blanks takes time that grows with the square of its length. So a
// long paragraph is shown as pieces of a few thousand characters, each its own paragraph of the
// box, every piece but the last ending in an invisible zero-width space; reading the box joins a
// paragraph that ends in one to the next. Only the pieces in view are ever laid out, and the
// notes read back are exactly the notes put in. The mark survives editing as the text does:
// deleting across it joins, a line break typed before or after it stays a line break. Notes are
// single-byte text, so the mark can never be part of them.
#pragma once

#include <QString>

class QPlainTextEdit;

namespace NotesBox {

// The longest paragraph the box holds in one piece.
constexpr qsizetype PieceLength = 4096;

// Prepares the box: wrapping that never searches a whole paragraph for a place to break.
void configure(QPlainTextEdit* box);

// Puts `notes` (CR LF line breaks) into the box.
void show(QPlainTextEdit* box, const QString& notes);

// The notes the box holds, with CR LF line breaks.
QString read(const QPlainTextEdit* box);

} // namespace NotesBox
