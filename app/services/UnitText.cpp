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

} // namespace UnitText
