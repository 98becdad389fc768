// The precision model's cant, aerodynamic jump and wind zones as a load holds them (fields 43 to
// 45): their checks, their values for the engine's shot and how a table's header names them.
#pragma once

#include "units/ShownUnits.h"

#include "load/PrecisionForm.h"
#include "precision/Shot.h"

#include <QString>
#include <QStringList>

namespace ZonesCantJump {

constexpr double LargestCantDeg = 45;
// A zone's wind at most what the load's crosswind field takes.
constexpr double FastestZoneMph = 25;
constexpr double FarthestZoneEnd = 5000; // in the range unit

// Empty when the cant text is a number from -45 to 45, else the message.
QString cantProblem(const QString& text);
// Empty when the zones' text reads, else the message.
QString zonesProblem(const QString& text);
// The first problem of the two, with its caption.
QString problem(const PrecisionForm& form);

// Sets the shot's cant, jump and zones (ends converted to yards for a metric load). Texts that
// do not pass their checks leave the shot's defaults.
void applyTo(const PrecisionForm& form, bool metric, precision::Shot& shot);

// Header lines for a table: the zones, the cant and the jump with its size at 100 yd; none for
// what is at its default.
QStringList headerLines(const precision::Shot& shot, bool metric,
                        const Units::ShownUnits& units = {});

} // namespace ZonesCantJump
