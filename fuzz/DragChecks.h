// The properties every drag curve reader keeps, whatever the file's format: a table it accepts is
// one the flight can use (Mach rising from 0 to at most 10, Cd above 0 and at most 5, a finite
// coefficient everywhere), and a table it refuses gets one short message that names the line and
// holds no control character.
#pragma once

#include "precision/DragCsv.h"

#include "FuzzSupport.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace fuzz {

// The longest message: the line's number, the sentence and a field quoted at 40 characters,
// each character at most four bytes.
constexpr size_t MostMessageBytes = 500;

inline void checkDragMessage(const std::string& error) {
    if (error.empty()) fail("a drag table was refused without a word");
    if (error.size() > MostMessageBytes) fail("a drag table's message is too long");
    for (const char c : error)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f)
            fail("a drag table's message holds a control character");
}

inline void checkDragCurve(const precision::DragCurve& curve) {
    if (curve.mach.size() < 2 || curve.mach.size() != curve.cd.size())
        fail("an accepted drag table has too few rows");
    for (size_t i = 0; i < curve.mach.size(); ++i) {
        if (!(curve.mach[i] >= 0 && curve.mach[i] <= precision::MostDragMach))
            fail("an accepted drag table has a Mach number out of range");
        if (!(curve.cd[i] > 0 && curve.cd[i] <= precision::MostDragCd))
            fail("an accepted drag table has a Cd out of range");
        if (i > 0 && !(curve.mach[i] > curve.mach[i - 1]))
            fail("an accepted drag table's Mach numbers do not rise");
    }
    // The monotone cubic never overshoots: between and beyond the points the coefficient stays
    // within the table's own, and the flight's look-up gives the same.
    double lowest = curve.cd.front(), highest = curve.cd.front();
    for (const double cd : curve.cd) {
        lowest = std::min(lowest, cd);
        highest = std::max(highest, cd);
    }
    const precision::DragLookup lookup(curve);
    size_t hint = 0;
    for (double mach = 0; mach <= precision::MostDragMach + 1; mach += 0.0625) {
        const double cd = curve.cdAt(mach);
        if (!std::isfinite(cd) || cd < lowest * (1 - 1e-9) || cd > highest * (1 + 1e-9))
            fail("a drag curve leaves its table's range");
        if (!(std::abs(lookup.cdAt(mach, hint) - cd) <= 1e-6 * highest))
            fail("the flight's look-up differs from the curve");
    }
}

} // namespace fuzz
