#include "load/FiniteRows.h"

#include "services/MNumber.h"

#include <array>
#include <cmath>

namespace FiniteRows {

namespace {

using TableColumns::Column;

// Each column's value in words, and the input that makes it grow beyond any number: for the
// trajectory itself the ballistic coefficient (classic) or the drag table (precision model).
struct Cause {
    Column column;
    const char* value;
    const char* input;
};

constexpr const char* TrajectoryInput = nullptr; // the BC, or the precision model's drag table

constexpr std::array<Cause, TableColumns::Count> causes{{
    {Column::Range, "range", "Increments"},
    {Column::MilRange, "mil-dot range", "Scope MagX"},
    {Column::Height, "height", TrajectoryInput},
    {Column::HeightCorrection, "height correction", TrajectoryInput},
    {Column::Wind, "wind drift", "Xwind Speed"},
    {Column::WindCorrection, "wind correction", "Xwind Speed"},
    {Column::Velocity, "velocity", TrajectoryInput},
    {Column::Energy, "energy", "Bullet Weight"},
    {Column::Time, "time of flight", TrajectoryInput},
    {Column::Lead, "lead", "Target Speed"},
    {Column::LeadCorrection, "lead correction", "Target Speed"},
    {Column::Spin, "spin drift", "Twist"},
    {Column::CoriolisVertical, "vertical Coriolis drift", "Latitude"},
    {Column::CoriolisHorizontal, "horizontal Coriolis drift", "Latitude"},
}};

} // namespace

QString problem(const std::vector<TableRow>& rows, bool precision, bool metric) {
    for (const TableRow& row : rows)
        for (const Cause& cause : causes) {
            if (std::isfinite(row[cause.column])) continue;
            const QString input = cause.input ? QString::fromLatin1(cause.input)
                                  : precision ? QStringLiteral("drag table")
                                              : QStringLiteral("BC");
            const QString where = std::isfinite(row[Column::Range])
                                      ? " at " + MNumber::shortText(row[Column::Range]) +
                                            (metric ? " meters" : " yards")
                                      : QString();
            return QStringLiteral("The %1%2 cannot be computed with this load: check the %3.")
                .arg(QString::fromLatin1(cause.value), where, input);
        }
    return {};
}

} // namespace FiniteRows
