#include "load/LoadModel.h"

#include "load/InputFields.h"
#include "load/InputUnits.h"
#include "services/ErrorNumbers.h"
#include "services/FieldChecks.h"
#include "services/MNumber.h"
#include "services/Prompt.h"

#include <array>

namespace {

using namespace InputFields;

// Where a numeric field's value goes: a whole-number field of the record, a single-precision
// field of the record, or one of the window's own values. Fields 0 and 17 have none.
struct Destination {
    int16_t CInput::*whole = nullptr;
    float CInput::*single = nullptr;
    float MainValues::*window = nullptr;
};

const std::array<Destination, Count> destinations{{
    {},                                // 0 cartridge: stored as text
    {.whole = &CInput::ibweight},      // 1
    {.whole = &CInput::imvel},         // 2
    {.whole = &CInput::imaxyds},       // 3
    {.whole = &CInput::izrange},       // 4
    {.whole = &CInput::iydsinc},       // 5
    {.whole = &CInput::ixwvel},        // 6
    {.whole = &CInput::ixwangl},       // 7
    {.single = &CInput::alt},          // 8
    {.single = &CInput::temp},         // 9
    {.single = &CInput::bcoef},        // 10
    {.single = &CInput::bcMed},        // 11
    {.single = &CInput::bcLow},        // 12
    {.single = &CInput::vMed},         // 13
    {.single = &CInput::vLow},         // 14
    {.single = &CInput::sightheight},  // 15
    {.window = &MainValues::scopeMag}, // 16
    {},                                // 17 angle: the table code reads the text itself
    {.window = &MainValues::pressure}, // 18
    {.window = &MainValues::humidity}, // 19
    {.window = &MainValues::speed},    // 20
}};

bool validIndex(int index) {
    return index >= 0 && index < Count;
}

Problem overflow() {
    return Problem::failure(QStringLiteral("ui"), QStringLiteral("dataUiToInputIndex"),
                            ErrorNumbers::Overflow, QStringLiteral("Overflow"));
}

} // namespace

LoadModel::LoadModel() : form(LoadForm::initial()) {
    values.metro.setReference();
}

QList<Problem> LoadModel::setFieldText(int index, const QString& text) {
    if (!validIndex(index)) return {};
    form.fields[static_cast<size_t>(index)] = text;
    QList<Problem> problems;
    if (auto problem = dataUiToInputIndex(values.in1, index)) problems.append(*problem);
    problems += dataUiMetro(values.in1, index);
    // What the shooter (or a file) puts into temperature or pressure is what he measured.
    if (!refreshing && accepted.set && index == Temperature) accepted.temperature = text;
    if (!refreshing && accepted.set && index == Pressure) accepted.pressure = text;
    return problems;
}

QList<Problem> LoadModel::refreshAllFields() {
    // Each handler reads the field's text as it is now: the altitude's refresh of fields 9
    // and 18 is what their own handlers then copy.
    QList<Problem> problems;
    for (int i = 0; i < Count; ++i)
        problems += setFieldText(i, form.fields[static_cast<size_t>(i)]);
    acceptAltitude();
    return problems;
}

std::optional<Problem> LoadModel::dataUiToInputIndex(CInput& inp, int index) {
    if (!validIndex(index)) return std::nullopt;
    const QString& text = form.fields[static_cast<size_t>(index)];
    if (index == Cartridge) {
        inp.cart = text;
        return std::nullopt;
    }
    const auto value = MNumber::parse(text);
    if (!value) return std::nullopt; // the record keeps the field's last numeric value
    const Destination& to = destinations[static_cast<size_t>(index)];
    if (to.whole) {
        const auto whole = MNumber::toInt16(*value);
        if (!whole) return overflow();
        inp.*to.whole = *whole;
        return std::nullopt;
    }
    if (!to.single && !to.window) return std::nullopt;
    const auto single = MNumber::toSingle(*value);
    if (!single) return overflow();
    if (to.single)
        inp.*to.single = *single;
    else
        values.*to.window = *single;
    return std::nullopt;
}

QList<Problem> LoadModel::dataUiToInput(CInput& inp) {
    QList<Problem> problems;
    for (int i = 0; i < Count; ++i)
        if (auto problem = dataUiToInputIndex(inp, i)) problems.append(*problem);
    inp.dragIndex = static_cast<int16_t>(form.dragIndex);
    return problems;
}

QList<Problem> LoadModel::dataUiMetro(CInput& inp, int index) {
    if (index != Altitude || refreshing) return {};
    std::optional<float> altFt;
    if (const auto value = MNumber::parse(form.fields[Altitude])) {
        altFt = MNumber::toSingle(*value); // none: already reported by the copy of the field
        const Limit bounds = limit(Altitude, form.isPrecision(), form.isMetric());
        if (altFt && (*altFt < bounds.lower || *altFt > bounds.upper)) altFt.reset();
    }
    // Before anything was accepted (start-up) a non-numeric altitude leaves the fields alone.
    if (!altFt && !accepted.set) return {};
    if (altFt) inp.alt = *altFt;

    QList<Problem> problems;
    for (const int field : {Temperature, Pressure}) {
        const QString text = airText(field, altFt);
        if (text == form.fields[static_cast<size_t>(field)]) continue;
        refreshing = true;
        problems += setFieldText(field, text);
        refreshing = false;
        reportChange(field);
    }
    return problems;
}

void LoadModel::acceptAltitude() {
    accepted.set = true;
    accepted.altFt = values.in1.alt;
    accepted.temperature = form.fields[Temperature];
    accepted.pressure = form.fields[Pressure];
}

float LoadModel::standardValue(int index, float altFt) const {
    float value = 0;
    if (index == Temperature) {
        values.metro.standardTemperature(altFt, value);
        return value;
    }
    // A pressure read as reduced to sea level is the standard one at any altitude.
    const bool seaLevel = form.isPrecision() && form.precision.seaLevelPressure;
    values.metro.standardPressure(seaLevel ? 0.0f : altFt, value);
    return value;
}

QString LoadModel::airText(int index, std::optional<float> altFt) const {
    const QString& held = index == Temperature ? accepted.temperature : accepted.pressure;
    if (!accepted.set) return MNumber::fieldText(standardValue(index, altFt.value_or(0)));
    if (!altFt) return held;
    // Judged as the refresh writes it: a field holds seven digits of the standard value. A
    // pressure is standard under either reference: the shooter may have switched between station
    // and sea level since the altitude was accepted.
    const auto heldValue = MNumber::parse(held);
    const auto isStandard = [&](float standardThen) {
        return held == MNumber::fieldText(standardThen) ||
               (heldValue && MNumber::toSingle(*heldValue) == std::optional(standardThen));
    };
    float stationThen = 0, seaLevelThen = 0;
    values.metro.standardPressure(accepted.altFt, stationThen);
    values.metro.standardPressure(0.0f, seaLevelThen);
    const bool standard = index == Pressure ? isStandard(stationThen) || isStandard(seaLevelThen)
                                            : isStandard(standardValue(index, accepted.altFt));
    return standard ? MNumber::fieldText(standardValue(index, *altFt)) : held;
}

FieldVerdict LoadModel::txtInputValidate(int index) const {
    FieldVerdict verdict;
    if (!validIndex(index) || index == Cartridge) return verdict;
    const QString& text = form.fields[static_cast<size_t>(index)];
    if (!MNumber::isNumeric(text)) {
        verdict.cancel = true;
        verdict.message = QStringLiteral("This field has to be a number");
        verdict.title = QStringLiteral("Not a Number");
        return verdict;
    }

    const Field& f = field(index);
    const Limit bounds = limit(index, form.isPrecision(), form.isMetric());
    float upper = bounds.upper;
    if (f.upperIsMaxRange) {
        const auto maxRange = MNumber::parse(form.fields[MaxRange]);
        // The limit cannot be known: the field is let go and the failure reported instead.
        const QString operation = QStringLiteral("txtInput_Validate");
        if (!maxRange) {
            verdict.problem =
                Problem::failure(QStringLiteral("ui"), operation, ErrorNumbers::TypeMismatch,
                                 QStringLiteral("Type mismatch"));
            return verdict;
        }
        const auto single = MNumber::toSingle(*maxRange);
        if (!single) {
            verdict.problem = Problem::failure(QStringLiteral("ui"), operation,
                                               ErrorNumbers::Overflow, QStringLiteral("Overflow"));
            return verdict;
        }
        upper = *single;
    }

    const auto range = MSmallBallStruct::textValidate(
        bounds.lower, upper, text, InputUnits::limitMessage(fieldUnits(), index, bounds));
    verdict.message = range.message;
    verdict.title = range.title;
    verdict.cancel = f.focusHeld && range.reject;
    return verdict;
}

bool LoadModel::validateAndWarn(int index) {
    const FieldVerdict verdict = txtInputValidate(index);
    Problems::report(verdict.problem);
    if (verdict.hasMessage())
        prompt().ask(verdict.message, verdict.title, PromptButtons::Ok, PromptIcon::None);
    if (index == Altitude && !verdict.cancel) acceptAltitude();
    return verdict.cancel;
}

QList<Problem> LoadModel::settleField(int index) {
    // The precision model flies the velocity as typed, fractions and all.
    if (!validIndex(index) || (form.isPrecision() && index == MuzzleVelocity)) return {};
    return putFieldText(index,
                        InputUnits::settledText(fieldUnits(), index, form.fields[size_t(index)]));
}

QList<Problem> LoadModel::applyForm(const LoadForm& next) {
    QList<Problem> problems;
    for (int i = 0; i < Count; ++i)
        problems += putFieldText(i, next.fields[static_cast<size_t>(i)]);
    form.chkAdvanced = next.chkAdvanced;
    form.chkMilrange = next.chkMilrange;
    form.optMoa1 = next.optMoa1;
    form.optMetric1 = next.optMetric1;
    form.opt3D1 = next.opt3D1;
    form.optComma1 = next.optComma1;
    form.optRR1 = next.optRR1;
    form.yAxis = next.yAxis;
    form.dragIndex = next.dragIndex;
    form.comparison = next.comparison;
    form.notes = next.notes;
    form.precision = next.precision;
    form.hit = next.hit;
    acceptAltitude();
    return problems;
}

QList<Problem> LoadModel::newLoad() {
    QList<Problem> problems;
    for (int i = 0; i < Count; ++i)
        problems += putFieldText(i, QString::fromUtf8(field(i).newLoadText));
    if (const auto metric = units.metricRange()) form.optMetric1 = *metric;
    acceptAltitude();
    return problems;
}

void LoadModel::applyPendingOptions() {
    values.isMoa = form.optMoa1;
    values.isComma = form.optComma1;
    values.isCosineDrop = form.optRR1;
    values.is3D = form.opt3D1;
}

LoadSnapshot LoadModel::snapshot() {
    QList<Problem> problems = dataUiToInput(values.in1);
    applyPendingOptions();
    LoadSnapshot snapshot = LoadSnapshot::of(form, values);
    snapshot.fieldProblems = std::move(problems);
    snapshot.units = units;
    return snapshot;
}

QList<Problem> LoadModel::putFieldText(int index, const QString& text) {
    // A text box raises no change when it is given the text it already holds.
    if (form.fields[static_cast<size_t>(index)] == text) return {};
    QList<Problem> problems = setFieldText(index, text);
    reportChange(index);
    return problems;
}

void LoadModel::reportChange(int index) {
    if (fieldTextChangedByModel) fieldTextChangedByModel(index);
}
