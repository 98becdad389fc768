#include "services/FieldChecks.h"

#include "services/MNumber.h"
#include "services/Prompt.h"

namespace MSmallBallStruct {

Verdict textValidate(float lower, float upper, const QString& text, const QString& tooltip) {
    Verdict v;
    const auto value = MNumber::parse(text);
    if (!value) {
        v.reject = true;
        return v;
    }
    const auto single = MNumber::toSingle(*value);
    if (single && lower <= *single && *single <= upper) return v;
    v.reject = true;
    v.message = tooltip;
    v.title = QStringLiteral("Number out of Range");
    return v;
}

bool textValidateAndWarn(float lower, float upper, const QString& text, const QString& tooltip) {
    const Verdict v = textValidate(lower, upper, text, tooltip);
    if (!v.title.isEmpty()) prompt().ask(v.message, v.title, PromptButtons::Ok, PromptIcon::None);
    return v.reject;
}

bool boxRefuses(float lower, float upper, const QString& text, const QString& tooltip) {
    if (!MNumber::isNumeric(text)) {
        prompt().ask(tooltip, QStringLiteral("Not a Number"), PromptButtons::Ok, PromptIcon::None);
        return true;
    }
    return textValidateAndWarn(lower, upper, text, tooltip);
}

bool isEven(int value) {
    return value % 2 == 0;
}

bool isNonZero(float value) {
    return value > 0.0001f || value < -0.0001f;
}

} // namespace MSmallBallStruct
