#include "load/LoadFile.h"

#include "load/LoadCheck.h"
#include "services/MNumber.h"

#include <QFileInfo>
#include <QStringList>
#include <algorithm>
#include <array>
#include <iterator>
#include <optional>

namespace LoadFile {

namespace {

// What a field holds, and how it is written and applied.
enum class Kind {
    Text,    // a txtInput box (arg: field index)
    Compare, // the comparison file path
    Check,   // a check box state (arg: index into checks): "0" or "1"; "2", greyed, is read
    Option,  // an options-dialog choice, "True" or "False" (arg: index into options)
    YAxis,   // the graph's y-axis option index, "0" to "3"
    Drag,    // the drag list position, "-1" to "7"
    Notes,   // the multi-line notes
    // The precision model's fields, present once the model was used for the load.
    PrecisionOn,   // "True" or "False"
    PrecisionDrag, // a standard drag table's name or a drag file's path; not empty
    PrecisionText, // a precision input box (arg: its index)
    // Written only when one of them differs from its default.
    PressureReference, // "Station" or "Sea level"
    Cant,              // degrees, as typed
    Jump,              // "True" or "False"
    WindZones,         // the zones' text, empty for none
};

int LoadForm::*const checks[] = {&LoadForm::chkAdvanced, &LoadForm::chkMilrange};
bool LoadForm::*const options[] = {&LoadForm::optMoa1, &LoadForm::optMetric1, &LoadForm::opt3D1,
                                   &LoadForm::optComma1, &LoadForm::optRR1};
enum { Advanced, MilRange };
enum { Moa, Metric, Graph3D, Comma, CosineDrop };

struct Slot {
    Kind kind;
    int arg = 0;
    // When set, the end of the file is tested before this field and the text applied instead.
    const char* atEndDefault = nullptr;
};

// The file, field by field: older files end early and get the defaults of fields 25 to 30; a
// load that never used the precision model ends after field 32.
constexpr std::array<Slot, 45> layout{{
    {Kind::Text, 0},
    {Kind::Text, 1},
    {Kind::Text, 2},
    {Kind::Text, 3},
    {Kind::Text, 4},
    {Kind::Text, 5},
    {Kind::Text, 6},
    {Kind::Text, 7},
    {Kind::Text, 8},
    {Kind::Text, 9},
    {Kind::Text, 10},
    {Kind::Text, 11},
    {Kind::Text, 12},
    {Kind::Text, 13},
    {Kind::Text, 14},
    {Kind::Text, 15},
    {Kind::Text, 16}, // 1-17
    {Kind::Compare},  // 18
    {Kind::Check, Advanced},
    {Kind::Check, MilRange}, // 19-20
    {Kind::Option, Moa},
    {Kind::Option, Metric}, // 21-22
    {Kind::Option, Graph3D},
    {Kind::Option, Comma}, // 23-24
    {Kind::Text, 17, "0.0"},
    {Kind::Text, 18, "29.53"}, // 25-26
    {Kind::Text, 19, "78"},
    {Kind::Text, 20, "5"},              // 27-28
    {Kind::Option, CosineDrop, "True"}, // 29
    {Kind::YAxis, 0, "0"},              // 30
    {Kind::Drag},                       // 31
    {Kind::Notes},                      // 32
    {Kind::PrecisionOn},                // 33
    {Kind::PrecisionDrag},              // 34
    {Kind::PrecisionText, 0},
    {Kind::PrecisionText, 1},
    {Kind::PrecisionText, 2},
    {Kind::PrecisionText, 3},
    {Kind::PrecisionText, 4},
    {Kind::PrecisionText, 5},
    {Kind::PrecisionText, 6},  // 35-41
    {Kind::PressureReference}, // 42
    {Kind::Cant},
    {Kind::Jump},
    {Kind::WindZones}, // 43-45
}};

// Fields written for every load; the next nine for a load that used the precision model; the
// rest only when one of them differs from its default.
constexpr size_t ClassicFields = 32;
// The one multi-line field.
constexpr int NotesField = 32;
constexpr size_t PrecisionFieldsEnd = 41;
// Files written before the cant, jump and zones end after the pressure reference.
constexpr size_t PressureReferenceEnd = 42;

const QString station = QStringLiteral("Station");
const QString seaLevel = QStringLiteral("Sea level");

// An integer field: any number that rounds into [lower, upper].
std::optional<int> wholeNumber(const QString& text, int lower, int upper) {
    const auto value = MNumber::parse(text);
    if (!value) return std::nullopt;
    const auto whole = MNumber::toInt16(*value);
    if (!whole || *whole < lower || *whole > upper) return std::nullopt;
    return *whole;
}

QString& textField(LoadForm& form, int index) {
    return form.fields[static_cast<size_t>(index)];
}

// Applies one field's text; false when it does not convert, which ends the reading.
bool apply(const Slot& slot, const QString& text, LoadForm& form) {
    switch (slot.kind) {
    case Kind::Text:
        textField(form, slot.arg) = text;
        return true;
    case Kind::Compare:
        form.comparison.setFile(text);
        return true;
    case Kind::Check:
        if (const auto state = wholeNumber(text, 0, 2)) {
            form.*checks[slot.arg] = *state;
            return true;
        }
        return false;
    case Kind::Option:
        if (const auto value = MNumber::parseBool(text)) {
            form.*options[slot.arg] = *value;
            return true;
        }
        return false;
    case Kind::YAxis:
        if (const auto axis = wholeNumber(text, 0, 3)) {
            form.yAxis = *axis;
            return true;
        }
        return false;
    case Kind::Drag:
        if (const auto index = wholeNumber(text, -1, 7)) {
            form.dragIndex = *index;
            return true;
        }
        return false;
    case Kind::Notes:
        form.notes = text;
        return true;
    case Kind::PrecisionOn:
        if (const auto value = MNumber::parseBool(text)) {
            form.precision.used = true;
            form.precision.on = *value;
            return true;
        }
        return false;
    case Kind::PrecisionDrag:
        if (text.trimmed().isEmpty()) return false;
        form.precision.dragTable = text;
        return true;
    case Kind::PrecisionText:
        form.precision.fields[static_cast<size_t>(slot.arg)] = text;
        return true;
    case Kind::PressureReference:
        if (text != station && text != seaLevel) return false;
        form.precision.seaLevelPressure = text == seaLevel;
        return true;
    case Kind::Cant:
        form.precision.cantDeg = text;
        return true;
    case Kind::Jump:
        if (const auto value = MNumber::parseBool(text)) {
            form.precision.aerodynamicJump = *value;
            return true;
        }
        return false;
    case Kind::WindZones:
        form.precision.windZones = text;
        return true;
    }
    return false;
}

// Line breaks of the notes as CR LF pairs: a lone CR or LF (what a text editor on this platform
// hands over) would end the field in the file and lose the lines after it.
QString withCrLf(const QString& text) {
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == '\r' || c == '\n') {
            out += QLatin1String("\r\n");
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        } else {
            out += c;
        }
    }
    return out;
}

QString saved(const Slot& slot, const LoadForm& form) {
    switch (slot.kind) {
    case Kind::Text:
        return form.fields[static_cast<size_t>(slot.arg)];
    case Kind::Compare:
        return form.comparison.file;
    case Kind::Check:
        return QString::number(form.*checks[slot.arg]);
    case Kind::Option:
        return MNumber::boolText(form.*options[slot.arg]);
    case Kind::YAxis:
        return QString::number(form.yAxis);
    case Kind::Drag:
        return QString::number(form.dragIndex);
    case Kind::Notes:
        return withCrLf(form.notes);
    case Kind::PrecisionOn:
        return MNumber::boolText(form.precision.on);
    case Kind::PrecisionDrag:
        return form.precision.dragTable;
    case Kind::PrecisionText:
        return form.precision.fields[static_cast<size_t>(slot.arg)];
    case Kind::PressureReference:
        return form.precision.seaLevelPressure ? seaLevel : station;
    case Kind::Cant:
        return form.precision.cantDeg;
    case Kind::Jump:
        return MNumber::boolText(form.precision.aerodynamicJump);
    case Kind::WindZones:
        return form.precision.windZones;
    }
    return {};
}

} // namespace

// Older layouts end after these fields: what follows keeps its default or previous value.
constexpr int olderLayoutEnds[] = {24, 30, int(ClassicFields)};

ReadReport read(const QString& path, LoadForm& form) {
    ReadReport report;
    CFileData::Limits limits;
    limits.multilineFields = {NotesField};
    limits.mostFields = int(layout.size());
    CFileData::ReadReport file;
    const QStringList fields = CFileData::readFields(path, limits, file);
    reportProblem(file.problem);
    report.path = file.path;
    if (!file.opened) return report;
    report.opened = true;
    LoadForm next = form;
    // A file without the precision fields is a load that never used the model.
    next.precision = PrecisionForm();
    for (size_t i = 0; i < layout.size(); ++i) {
        const Slot& slot = layout[i];
        const int number = int(i) + 1;
        const bool ended = i >= size_t(fields.size());
        // The precision fields come as a whole, and so do the later ones: a file ending among
        // either was cut short.
        if (ended && number > int(ClassicFields)) {
            if (number != int(ClassicFields) + 1 && number != int(PrecisionFieldsEnd) + 1 &&
                number != int(PressureReferenceEnd) + 1)
                report.stoppedAt = number;
            break;
        }
        if (number == file.tooLongField) {
            file.tooLong().report();
            report.refused = true;
            break;
        }
        const QString text = slot.atEndDefault && ended ? QString::fromLatin1(slot.atEndDefault)
                                                        : fields.value(qsizetype(i));
        if (apply(slot, text, next)) continue;
        const bool olderLayout =
            ended && std::find(std::begin(olderLayoutEnds), std::end(olderLayoutEnds),
                               number - 1) != std::end(olderLayoutEnds);
        if (!olderLayout) report.stoppedAt = number;
        break;
    }
    // A drag file named by a relative path is looked for beside the load first.
    next.precision.loadFolder = QFileInfo(report.path).absolutePath();
    if (!report.refused) form = next;
    return report;
}

bool dataLoad(const QString& path, LoadForm& form) {
    const ReadReport report = read(path, form);
    return report.opened && !report.refused;
}

QString damageMessage(const QString& path, const ReadReport& report, const LoadForm& form) {
    if (report.whole() || !report.opened) return {};
    if (report.refused)
        return QStringLiteral("\"%1\" is not a load file that can be read; nothing was taken "
                              "from it.")
            .arg(path);
    QString text = QStringLiteral("\"%1\" could not be read completely: reading stopped at field "
                                  "%2 of %3; the fields from there on keep their previous values.")
                       .arg(path)
                       .arg(report.stoppedAt)
                       .arg(report.stoppedAt > int(PrecisionFieldsEnd) ? layout.size()
                            : report.stoppedAt > int(ClassicFields)    ? PrecisionFieldsEnd
                                                                       : ClassicFields);
    const QStringList failing = LoadCheck::failingFields(form);
    if (!failing.isEmpty())
        text += QStringLiteral("\nThese fields do not hold a usable value: ") +
                failing.join(QStringLiteral(", ")) + '.';
    return text;
}

namespace {
QList<CFileData::Field> fieldsOf(const LoadForm& form) {
    const size_t count = form.precision.hasLaterFields() ? layout.size()
                         : form.precision.used           ? PrecisionFieldsEnd
                                                         : ClassicFields;
    QList<CFileData::Field> fields;
    for (size_t i = 0; i < count; ++i)
        fields.append({saved(layout[i], form), layout[i].kind == Kind::Notes});
    return fields;
}
} // namespace

QByteArray bytesOf(const LoadForm& form) {
    QByteArray data;
    for (const CFileData::Field& field : fieldsOf(form)) {
        data += CFileData::encodeField(field.text, field.multiline).toLatin1();
        data += "\r\n";
    }
    return data;
}

bool dataSaveTable(const QString& path, const LoadForm& form) {
    // The file is replaced only when every field reached the disk; otherwise the previous file
    // stays and the failure is reported.
    const std::optional<FileProblem> problem = CFileData::writeFields(path, fieldsOf(form));
    reportProblem(problem);
    return !problem;
}

} // namespace LoadFile
