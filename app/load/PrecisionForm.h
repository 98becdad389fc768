// The precision model's part of a load: whether it is on, its drag table and its seven inputs,
// as the Input tab shows them and the load file stores them (fields 33 to 41).
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

    bool operator==(const PrecisionForm&) const = default;
};
