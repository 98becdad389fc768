// Small text operations behind the ballistics table: fixed-decimal number text, padding to a
// column width, and appending words, line breaks and table lines to a text buffer. Lines end in
// CR LF, and every line after the first begins with one blank.
#pragma once

#include <QString>
#include <QStringList>
#include <vector>

namespace MPrint {

// The column texts of one table line (an empty text is skipped: MilRange while it is off).
using Columns = QStringList;

// `value` rounded half to even to `decimals` places, written with that many decimals (a text one
// decimal short gets a zero added), no leading blank, "0" before the point for |value| < 1.
QString formatFixed(float value, int decimals);

// The rightmost `width` characters of `width` blanks followed by the text without trailing
// blanks: right-justified, and a text longer than the width loses its leading characters.
QString padLeft(const QString& text, int width);
// The text without trailing blanks right-justified in `width` characters; a longer text is kept
// whole (a value never loses its sign or its leading digits).
QString fitLeft(const QString& text, int width);
// The leftmost `width` characters of the text without trailing blanks followed by blanks.
QString padRight(const QString& text, int width);

void appendOutput(QString& buffer, const QString& text);
// The text, then one blank.
void appendWord(QString& buffer, const QString& text);
// CR LF, then the blank that starts the next line.
void printNewLine(QString& buffer);
// The width of a table column unless a value needs more.
constexpr int ColumnWidth = 8;

// One table line: every non-empty column right-justified to its width (`widths`, by position;
// ColumnWidth for a column it does not list) and followed by the separator (a blank, or "," so
// the table pastes into a spreadsheet), then a new line. A text wider than its column is kept
// whole.
void printColumns(QString& buffer, const Columns& columns, const QString& separator = " ",
                  const std::vector<int>& widths = {});

// The column headings of a table text split into lines: the line above the first rule of dashes
// ("  -------  -------") and the rule itself, as the index of the line after them; 0 when the
// text has no rule. A printed table repeats them at the top of every page.
int headingsEnd(const QStringList& lines);

} // namespace MPrint
