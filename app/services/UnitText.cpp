#include "services/UnitText.h"

#include "services/MNumber.h"

#include <QLocale>
#include <cmath>

namespace UnitText {

QString number(const Units::ShownUnits& units, Units::Quantity q, double stored, bool localized) {
    const int decimals = units.info(q).decimals;
    double shown = units.shown(q, stored);
    const double scale = std::pow(10.0, decimals);
    shown = MNumber::roundHalfEven(shown * scale) / scale;
    if (shown == 0) shown = 0; // no "-0"
    QString text = QString::number(shown, 'f', decimals);
    if (text.contains('.')) {
        while (text.endsWith('0'))
            text.chop(1);
        if (text.endsWith('.')) text.chop(1);
    }
    if (localized) text.replace('.', QLocale().decimalPoint());
    return text;
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
    const double slack = std::abs(value) * 1e-6;
    value = lower ? std::ceil(value - slack) : std::floor(value + slack);
    value /= scale;
    return value == 0 ? 0 : value;
}
} // namespace

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
