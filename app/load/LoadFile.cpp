#include "load/LoadFile.h"

#include "load/HitFields.h"
#include "load/InputFields.h"
#include "load/LoadCheck.h"
#include "services/MNumber.h"

#include <QFileInfo>
#include <QLocale>
#include <QStringList>
#include <algorithm>
#include <array>
#include <cmath>
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
    // Written only when the shooter set them for the load.
    Hit, // a hit-probability input (arg: its HitFields index), a number of zero or more
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
constexpr std::array<Slot, 53> layout{{
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
    {Kind::Hit, 0},
    {Kind::Hit, 1},
    {Kind::Hit, 2},
    {Kind::Hit, 3},
    {Kind::Hit, 4},
    {Kind::Hit, 5},
    {Kind::Hit, 6},
    {Kind::Hit, 7}, // 46-53
}};

// Fields written for every load; the next nine for a load that used the precision model; the
// next four only when one of them differs from its default; the last eight only for a load with
// hit-probability inputs (which writes all before them).
constexpr size_t ClassicFields = 32;
// The one multi-line field.
constexpr int NotesField = 32;
constexpr size_t PrecisionFieldsEnd = 41;
// Files written before the cant, jump and zones end after the pressure reference.
constexpr size_t PressureReferenceEnd = 42;
// Files written before the hit-probability inputs end after the wind zones.
constexpr size_t WindZonesEnd = 45;

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
    case Kind::Hit: {
        const auto value = MNumber::parse(text);
        if (!value || !std::isfinite(*value) || *value < 0) return false;
        if (!form.hit) form.hit = HitInputs();
        (*form.hit).*HitFields::field(slot.arg).member = *value;
        return true;
    }
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
    case Kind::Hit:
        // The shortest text that reads back as the same number.
        return form.hit ? QString::number((*form.hit).*HitFields::field(slot.arg).member, 'g',
                                          QLocale::FloatingPointShortest)
                        : QString();
    }
    return {};
}

// Text a field of a load can hold: no control character but the tab (a file's bytes are read as
// Latin-1, so any other byte is some letter of a name or a note).
bool isText(const QString& text, bool multiline) {
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u == '\t' || (multiline && (u == '\r' || u == '\n'))) continue;
        if (u < 0x20 || u == 0x7F) return false;
    }
    return true;
}

// A number box's text as a box can hold it: a number, nothing, or a number half typed ("-",
// "2.5e"), which a save made while the shooter was typing keeps.
bool isNumberText(const QString& text) {
    const QString t = text.trimmed();
    return t.isEmpty() || MNumber::isNumeric(t) || MNumber::isPartialNumber(t);
}

// Whether the fields read are a load's: texts without control characters, and a number in each
// number box the file has. Bytes of some other file (a picture, a program, noise) fail at once;
// a load saved by any version passes, whatever its later fields hold, so an odd value there
// still ends the reading at that field.
bool isLoad(const QStringList& fields) {
    for (qsizetype i = 0; i < fields.size() && i < qsizetype(layout.size()); ++i) {
        const Slot& slot = layout[size_t(i)];
        if (!isText(fields[i], slot.kind == Kind::Notes)) return false;
        if (slot.kind == Kind::Text && InputFields::field(slot.arg).numeric &&
            !isNumberText(fields[i]))
            return false;
    }
    return true;
}

// The name of field `number` (1..53) in a message: the caption of its box, or what it holds.
QString fieldName(int number) {
    if (number < 1 || number > int(layout.size())) return {};
    const Slot& slot = layout[size_t(number - 1)];
    switch (slot.kind) {
    case Kind::Text:
        return QString::fromUtf8(InputFields::field(slot.arg).caption);
    case Kind::Compare:
        return QStringLiteral("the comparison file");
    case Kind::Notes:
        return QStringLiteral("the notes");
    case Kind::Drag:
        return QStringLiteral("the drag model");
    case Kind::YAxis:
        return QStringLiteral("the graph's y-axis");
    case Kind::Hit:
        return QStringLiteral("the hit probability");
    default:
        return QStringLiteral("a setting");
    }
}

} // namespace

// Older layouts end after these fields: what follows keeps its default or previous value.
constexpr int olderLayoutEnds[] = {24, 30, int(ClassicFields)};

ReadReport read(const QString& path, LoadForm& form) {
    std::optional<Problem> fileProblem;
    const ReadReport report = read(path, form, fileProblem);
    Problems::report(fileProblem);
    return report;
}

ReadReport read(const QString& path, LoadForm& form, std::optional<Problem>& fileProblem) {
    ReadReport report;
    CFileData::Limits limits;
    limits.multilineFields = {NotesField};
    limits.mostFields = int(layout.size());
    CFileData::ReadReport file;
    const QStringList fields = CFileData::readFields(path, limits, file);
    fileProblem = asProblem(file.problem);
    report.path = file.path;
    if (!file.opened) return report;
    report.opened = true;
    report.fieldsInFile = int(std::min(fields.size(), qsizetype(layout.size())));
    if (!isLoad(fields)) {
        report.refused = report.notALoad = true;
        return report;
    }
    LoadForm next = form;
    // A file without the precision fields is a load that never used the model.
    next.precision = PrecisionForm();
    next.hit.reset();
    for (size_t i = 0; i < layout.size(); ++i) {
        const Slot& slot = layout[i];
        const int number = int(i) + 1;
        const bool ended = i >= size_t(fields.size());
        // The precision fields come as a whole, and so do the later ones: a file ending among
        // either was cut short.
        if (ended && number > int(ClassicFields)) {
            if (number != int(ClassicFields) + 1 && number != int(PrecisionFieldsEnd) + 1 &&
                number != int(PressureReferenceEnd) + 1 && number != int(WindZonesEnd) + 1)
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
    if (report.notALoad)
        return QStringLiteral("\"%1\" is not a Quorvel load file; nothing was taken from it.")
            .arg(path);
    if (report.refused)
        return QStringLiteral("\"%1\" is not a load file that can be read; nothing was taken "
                              "from it.")
            .arg(path);
    // The layout the file was written in: a file that ends among the precision fields, or the
    // later ones, had them.
    const int last = std::max(report.stoppedAt, report.fieldsInFile);
    const size_t layoutFields = last > int(WindZonesEnd)         ? layout.size()
                                : last > int(PrecisionFieldsEnd) ? WindZonesEnd
                                : last > int(ClassicFields)      ? PrecisionFieldsEnd
                                                                 : ClassicFields;
    QString text;
    if (!report.cutShort())
        text = QStringLiteral("\"%1\" could not be read completely: reading stopped at field "
                              "%2 of %3 (%4); the fields from there on keep their previous "
                              "values.")
                   .arg(path)
                   .arg(report.stoppedAt)
                   .arg(layoutFields)
                   .arg(fieldName(report.stoppedAt));
    else if (report.fieldsInFile == 0)
        text = QStringLiteral("\"%1\" is empty: the boxes are empty and the settings keep their "
                              "previous values.")
                   .arg(path);
    else
        text = QStringLiteral("\"%1\" is cut short: it ends after field %2 of %3 (%4); the "
                              "fields after it are empty or keep their previous values.")
                   .arg(path)
                   .arg(report.fieldsInFile)
                   .arg(layoutFields)
                   .arg(fieldName(report.fieldsInFile));
    const QStringList failing = LoadCheck::failingFields(form);
    if (!failing.isEmpty())
        text += QStringLiteral("\nThese fields do not hold a usable value: ") +
                failing.join(QStringLiteral(", ")) + '.';
    return text;
}

namespace {
QList<CFileData::Field> fieldsOf(const LoadForm& form) {
    const size_t count = form.hit                          ? layout.size()
                         : form.precision.hasLaterFields() ? WindZonesEnd
                         : form.precision.used             ? PrecisionFieldsEnd
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
