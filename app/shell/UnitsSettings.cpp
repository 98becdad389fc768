#include "shell/UnitsSettings.h"

#include <QSettings>
#include <QString>

namespace UnitsSettings {

namespace {

const QString Group = QStringLiteral("Units/");

QString quantityKey(int q) {
    static const char* const names[] = {"range",       "velocity", "weight",      "length",
                                        "sightHeight", "wind",     "temperature", "pressure",
                                        "altitude",    "energy"};
    static_assert(std::size(names) == Units::QuantityCount);
    return Group + QString::fromLatin1(names[q]);
}

const char* rangeName(Units::RangeChoice choice) {
    switch (choice) {
    case Units::RangeChoice::Yards:
        return "yd";
    case Units::RangeChoice::Metres:
        return "m";
    default:
        return "load";
    }
}

} // namespace

Units::ShownUnits load() {
    QSettings store;
    Units::ShownUnits units;
    const QString range = store.value(quantityKey(0)).toString();
    if (range == QLatin1String("yd")) units.range = Units::RangeChoice::Yards;
    if (range == QLatin1String("m")) units.range = Units::RangeChoice::Metres;
    for (int q = 1; q < Units::QuantityCount; ++q) {
        const auto quantity = Units::Quantity(q);
        const QByteArray tag = store.value(quantityKey(q)).toString().toLatin1();
        if (const Units::UnitInfo* u = Units::unitByTag(quantity, tag.toStdString()))
            units.set(quantity, u->unit);
    }
    const QByteArray click = store.value(Group + QStringLiteral("clicks")).toString().toLatin1();
    if (const auto c = Units::clickByName(click.toStdString())) units.click = *c;
    return units;
}

void save(const Units::ShownUnits& units) {
    QSettings store;
    store.setValue(quantityKey(0), QString::fromLatin1(rangeName(units.range)));
    for (int q = 1; q < Units::QuantityCount; ++q)
        store.setValue(quantityKey(q), QString::fromLatin1(units.info(Units::Quantity(q)).tag));
    store.setValue(Group + QStringLiteral("clicks"),
                   QString::fromLatin1(Units::clickInfo(units.click).name));
}

} // namespace UnitsSettings
