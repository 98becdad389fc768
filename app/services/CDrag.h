// The drag models a load can use, and the solver code of each.
#pragma once

#include <QStringList>
#include <cstdint>

class CDrag {
public:
    // Appends the model names, in list order, to `list` (never clears it).
    void init(QStringList& list) const;
    // Solver drag code for a list position; 0 (G1) for anything outside the list.
    int16_t getDrag(int16_t listIndex) const;

    static QStringList names();
};
