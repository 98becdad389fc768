#include "services/CDrag.h"

#include <array>

namespace {

struct DragModel {
    const char* name;
    int16_t code; // the solver's drag function code
};

// List position = row number. Code 0 is the solver's default (G1) function.
constexpr std::array<DragModel, 8> catalogue{{
    {"G1 Standard Flat Base", 0},
    {"G2 Conical Artillery", 2},
    {"G5 Standard Boat Tail", 5},
    {"G6 Flat Base Spire Point", 6},
    {"G7 Very Low Drag", 7},
    {"G8 Very Low Drag Flat Base", 8},
    {"Mayevski", 10},
    {"British 1909", 11},
}};

} // namespace

void CDrag::init(QStringList& list) const {
    list += names();
}

int16_t CDrag::getDrag(int16_t listIndex) const {
    if (listIndex < 0 || listIndex >= static_cast<int16_t>(catalogue.size())) return 0;
    return catalogue[static_cast<size_t>(listIndex)].code;
}

QStringList CDrag::names() {
    QStringList list;
    for (const DragModel& model : catalogue)
        list << QString::fromLatin1(model.name);
    return list;
}
