#include "load/MPrint.h"

#include "services/MNumber.h"

#include <QRegularExpression>
#include <cmath>

namespace MPrint {

namespace {

QString withoutTrailingBlanks(const QString& text) {
    qsizetype end = text.size();
    while (end > 0 && text[end - 1] == ' ')
        --end;
    return text.left(end);
}

QString withoutLeadingBlanks(const QString& text) {
    qsizetype start = 0;
    while (start < text.size() && text[start] == ' ')
        ++start;
    return text.mid(start);
}

// A table cell must never show an undefined number as digits.
QString nonFiniteText(float value) {
    if (std::isnan(value)) return QStringLiteral("NaN");
    return value < 0 ? QStringLiteral("-Inf") : QStringLiteral("Inf");
}

} // namespace

QString formatFixed(float value, int decimals) {
    if (!std::isfinite(value)) return nonFiniteText(value);
    float rounded = MNumber::roundDecimals(value, decimals);
    // A value that rounds to zero from below must not print as "-0.00".
    if (rounded == 0.0f) rounded = 0.0f;
    QString text = MNumber::plainText(rounded);
    if (!text.contains('.') && decimals > 0) text += '.' + QString(decimals, '0');
    text = withoutLeadingBlanks(text);
    if (text.startsWith('.'))
        text.prepend('0');
    else if (text.startsWith(QLatin1String("-.")))
        text = QLatin1String("-0") + text.mid(1);
    // Only a text exactly one decimal short is completed ("1.5" with 2 -> "1.50").
    const qsizetype pointAt = text.size() - decimals;
    if (decimals > 0 && pointAt >= 0 && pointAt < text.size() && text[pointAt] == '.') text += '0';
    return text;
}

QString padLeft(const QString& text, int width) {
    if (width <= 0) return QString();
    return (QString(width, ' ') + withoutTrailingBlanks(text)).right(width);
}

QString fitLeft(const QString& text, int width) {
    const QString kept = withoutTrailingBlanks(text);
    return kept.size() >= width ? kept : QString(width - kept.size(), ' ') + kept;
}

QString padRight(const QString& text, int width) {
    if (width <= 0) return QString();
    return (withoutTrailingBlanks(text) + QString(width, ' ')).left(width);
}

void appendOutput(QString& buffer, const QString& text) {
    buffer += text;
}

void appendWord(QString& buffer, const QString& text) {
    appendOutput(buffer, text);
    appendOutput(buffer, QStringLiteral(" "));
}

void printNewLine(QString& buffer) {
    appendWord(buffer, QStringLiteral("\r\n"));
}

void printColumns(QString& buffer, const Columns& columns, const QString& separator,
                  const std::vector<int>& widths) {
    for (qsizetype i = 0; i < columns.size(); ++i) {
        if (columns[i].isEmpty()) continue;
        const int width = size_t(i) < widths.size() ? widths[size_t(i)] : ColumnWidth;
        appendOutput(buffer, fitLeft(columns[i], width));
        appendOutput(buffer, separator);
    }
    printNewLine(buffer);
}

int headingsEnd(const QStringList& lines) {
    static const QRegularExpression rule(QStringLiteral("^\\s*-{3,}(\\s+-{3,})*\\s*$"));
    for (int i = 1; i < lines.size(); ++i)
        if (rule.match(lines[i]).hasMatch()) return i + 1;
    return 0;
}

} // namespace MPrint
