#include "services/UnitText.h"

#include "services/MNumber.h"

#include <QLocale>
#include <algorithm>
#include <cmath>

namespace UnitText {

namespace {
QString trimmedText(double value, int decimals) {
    if (value == 0) value = 0; // no "-0"
    QString text = QString::number(value, 'f', decimals);
    if (text.contains('.')) {
        while (text.endsWith('0'))
            text.chop(1);
        if (text.endsWith('.')) text.chop(1);
    }
    return text;
}
} // namespace

QString decimalText(double value, int decimals) {
    const double scale = std::pow(10.0, decimals);
    return trimmedText(MNumber::roundHalfEven(value * scale) / scale, decimals);
}

QString number(const Units::ShownUnits& units, Units::Quantity q, double stored, bool localized) {
    QString text = decimalText(units.shown(q, stored), units.info(q).decimals);
    if (localized) text.replace('.', QLocale().decimalPoint());
    return text;
}

QString valueText(const Units::ShownUnits& units, Units::Quantity q, double stored,
                  const QString& classic, const QString& separator) {
    if (units.isStored(q)) return classic;
    return number(units, q, stored) + separator + symbol(units, q);
}

QString withUnit(const Units::ShownUnits& units, Units::Quantity q, double stored) {
    return number(units, q, stored) + ' ' + symbol(units, q);
}

std::optional<double> stored(const Units::ShownUnits& units, Units::Quantity q,
                             const QString& typed) {
    const std::optional<double> shown = MNumber::parse(typed);
    if (!shown) return std::nullopt;
    return units.stored(q, *shown);
}

QString caption(const QString& name, const Units::ShownUnits& units, Units::Quantity q) {
    return name + QStringLiteral(" (") + symbol(units, q) + ')';
}

QString symbol(const Units::ShownUnits& units, Units::Quantity q) {
    return QString::fromUtf8(units.symbol(q));
}

namespace {
double inwards(double value, int decimals, bool lower) {
    const double scale = std::pow(10.0, decimals);
    // Slack for a bound's single precision and the factors' last digit: 4500 ft/s is
    // 1371.6 m/s, not 1371.5.
    value *= scale;
    const double slack = std::max(std::abs(value), 1.0) * 1e-6;
    value = lower ? std::ceil(value - slack) : std::floor(value + slack);
    value /= scale;
    return value == 0 ? 0 : value;
}
} // namespace

QString boundText(double shown, int decimals, bool lower) {
    return trimmedText(inwards(shown, decimals, lower), decimals);
}

ShownLimit limit(const Units::ShownUnits& units, Units::Quantity q, const InputLimit& stored,
                 const QString& name, int decimals) {
    if (units.isStored(q)) return {stored.lower, stored.upper, QString::fromLatin1(stored.message)};
    const double lower = inwards(units.shown(q, stored.lower), decimals, true);
    const double upper = inwards(units.shown(q, stored.upper), decimals, false);
    return {float(lower), float(upper),
            name + QStringLiteral(" must be between ") + MNumber::shortText(float(lower)) +
                QStringLiteral(" and ") + MNumber::shortText(float(upper)) + ' ' +
                symbol(units, q) + '.'};
}

} // namespace UnitText
