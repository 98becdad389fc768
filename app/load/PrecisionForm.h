// The precision model's part of a load: whether it is on, its drag table, its seven inputs, how
// its pressure is read, the cant, the aerodynamic jump and the wind zones, as the Input tab shows
// them and the load file stores them (fields 33 to 45).
#pragma once

#include "load/PrecisionFields.h"

#include <QString>
#include <array>

struct PrecisionForm {
    // The model was switched on for this load at least once: its fields are saved with it.
    // A load that never used it saves exactly as before.
    bool used = false;
    bool on = false;
    QString dragTable = PrecisionFields::defaultDragTable(); // a standard name or a file path
    std::array<QString, PrecisionFields::Count> fields = newLoadTexts();
    // The pressure field holds the pressure reduced to sea level (as weather reports give it),
    // not the station's.
    bool seaLevelPressure = false;
    QString cantDeg = defaultCant(); // degrees, clockwise as the shooter sees it positive
    bool aerodynamicJump = false;
    // "END SPEED ANGLE" per zone, "; " between zones, END in the range unit; empty: the load's
    // one wind all the way.
    QString windZones;

    static QString defaultCant() { return QStringLiteral("0"); }
    // The folder a relative drag file path is looked up in first: the load file's. Not saved.
    QString loadFolder;

    static std::array<QString, PrecisionFields::Count> newLoadTexts() {
        std::array<QString, PrecisionFields::Count> texts;
        for (int i = 0; i < PrecisionFields::Count; ++i)
            texts[size_t(i)] = QString::fromUtf8(PrecisionFields::field(i).newLoadText);
        return texts;
    }

    // Turns the model on or off; once on, the load keeps its precision fields.
    void setOn(bool value) {
        on = value;
        used = used || value;
    }

    // Whether a field after the first nine differs from its default: only then are they saved.
    bool hasLaterFields() const {
        return seaLevelPressure || cantDeg != defaultCant() || aerodynamicJump ||
               !windZones.isEmpty();
    }

    // The same load: where it was read from does not count.
    bool operator==(const PrecisionForm& o) const {
        return used == o.used && on == o.on && dragTable == o.dragTable && fields == o.fields &&
               seaLevelPressure == o.seaLevelPressure && cantDeg == o.cantDeg &&
               aerodynamicJump == o.aerodynamicJump && windZones == o.windZones;
    }
};
