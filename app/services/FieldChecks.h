// The range check behind every validated box, and the small number tests the program shares.
#pragma once

#include <QString>

namespace MSmallBallStruct {

// The range check behind every validated box: lower <= value <= upper, compared in single
// precision. `reject` keeps the focus in the box; `message` is what to show (empty: nothing).
struct Verdict {
    bool reject = false;
    QString message;
    QString title;
};
Verdict textValidate(float lower, float upper, const QString& text, const QString& tooltip);
// textValidate, then shows the verdict's message (if any) through the prompt; returns reject.
bool textValidateAndWarn(float lower, float upper, const QString& text, const QString& tooltip);
// textValidateAndWarn, except that a text that is not a number is refused with the box's message
// too (titled "Not a Number") rather than in silence: the check of a box the user leaves.
bool boxRefuses(float lower, float upper, const QString& text, const QString& tooltip);

bool isEven(int value);
bool isNonZero(float value);

} // namespace MSmallBallStruct
