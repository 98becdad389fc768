#include "sim/SessionFile.h"

#include "services/AppFolders.h"
#include "services/MNumber.h"

#include <array>

namespace SessionFile {

namespace {

enum class Kind {
    Text,        // a text box or list text
    Notes,       // the multi-line notes
    Slider,      // a slider value, clamped into the slider's range
    Check,       // a check box state 0/1
    Flyer,       // the selected flyer option 0..2
    Sight,       // SimSession::sight 0..4
    Metric,      // "True"/"False"
    Transparent, // written from chkTransparent, read as milsPerScreen
    Single,      // a Single of the simulator (view offsets)
    LoadFile,    // the load data file's path
};

struct Record {
    Kind kind;
    QString SimSettings::*text = nullptr;
    int SimSettings::*number = nullptr;
    SliderRange SimSettings::*range = nullptr;
    float Values::*single = nullptr;
};

using S = SimSettings;

const std::array<Record, RecordCount>& table() {
    static const std::array<Record, RecordCount> records{{
        {Kind::Text, &S::txtGroupSize},                                                    // 1
        {Kind::Text, &S::cboTarget},                                                       // 2
        {Kind::Slider, nullptr, &S::sldZoom, &S::rangeZoom},                               // 3
        {Kind::Slider, nullptr, &S::sldWind, &S::rangeWind},                               // 4
        {Kind::Text, &S::txtWidth},                                                        // 5
        {Kind::Text, &S::txtHeight},                                                       // 6
        {Kind::Text, &S::cboReticle},                                                      // 7
        {Kind::Slider, nullptr, &S::sldRange, &S::rangeRange},                             // 8
        {Kind::Sight},                                                                     // 9
        {Kind::Text, &S::txtFov},                                                          // 10
        {Kind::Slider, nullptr, &S::sldAngle, &S::rangeAngle},                             // 11
        {Kind::Transparent, nullptr, &S::chkTransparent, nullptr, &Values::milsPerScreen}, // 12
        {Kind::Text, &S::txtRedScore},                                                     // 13
        {Kind::Text, &S::txtBlueScore},                                                    // 14
        {Kind::Text, &S::txtMissScore},                                                    // 15
        {Kind::Text, &S::txtNumberOfRounds},                                               // 16
        {Kind::Flyer, nullptr, &S::flyerIndex},                                            // 17
        {Kind::Text, &S::cboBackground},                                                   // 18
        {Kind::Slider, nullptr, &S::sldSpeed, &S::rangeSpeed},                             // 19
        {Kind::Check, nullptr, &S::chkUserGraphic},                                        // 20
        {Kind::Check, nullptr, &S::chkGroupCircle},                                        // 21
        {Kind::Check, nullptr, &S::chkPOA},                                                // 22
        {Kind::Metric},                                                                    // 23
        {Kind::LoadFile},                                                                  // 24
        {Kind::Notes, &S::txtSimNotes},                                                    // 25
        {Kind::Text, &S::txtSimMaxRange},                                                  // 26
        {Kind::Check, nullptr, &S::chkTransparent},                                        // 27
        {Kind::Single, nullptr, nullptr, nullptr, &Values::viewOffsetX},                   // 28
        {Kind::Single, nullptr, nullptr, nullptr, &Values::viewOffsetY},                   // 29
        {Kind::Check, nullptr, &S::chkShowHits},                                           // 30
    }};
    return records;
}

const Record& record(int number) {
    return table().at(static_cast<size_t>(number - 1));
}

Failure typeMismatch() {
    return {13, QStringLiteral("Type mismatch")};
}
Failure overflow() {
    return {6, QStringLiteral("Overflow")};
}
Failure invalidValue() {
    return {380, QStringLiteral("Invalid property value")};
}
Failure noSuchOption(int index) {
    return {340, QStringLiteral("Control array element '%1' doesn't exist").arg(index)};
}

// Whole numbers as the controls take them: rounded half to even, 16 bits.
std::optional<Failure> toInt(const QString& text, int& out) {
    const auto v = MNumber::parse(text);
    if (!v) return typeMismatch();
    const auto i = MNumber::toInt16(*v);
    if (!i) return overflow();
    out = *i;
    return std::nullopt;
}

std::optional<Failure> toIndex(const QString& text, int last, int& out) {
    int i = 0;
    if (auto f = toInt(text, i)) return f;
    if (i < 0 || i > last) return noSuchOption(i);
    out = i;
    return std::nullopt;
}

std::optional<Failure> toSingle(const QString& text, float& out) {
    const auto v = MNumber::parse(text);
    if (!v) return typeMismatch();
    const auto f = MNumber::toSingle(*v);
    if (!f) return overflow();
    out = *f;
    return std::nullopt;
}

} // namespace

bool isMultiline(int number) {
    return number == NotesRecord;
}

QStringList records(const Values& values) {
    const SimSettings& s = values.settings;
    QStringList out;
    for (int n = 1; n <= RecordCount; ++n) {
        const Record& r = record(n);
        switch (r.kind) {
        case Kind::Text:
        case Kind::Notes:
            out << s.*r.text;
            break;
        case Kind::Slider:
        case Kind::Check:
        case Kind::Flyer:
        case Kind::Transparent:
            out << QString::number(s.*r.number);
            break;
        case Kind::Sight:
            out << QString::number(values.sight);
            break;
        case Kind::Metric:
            out << MNumber::boolText(s.optSimMetric1);
            break;
        case Kind::Single:
            out << MNumber::shortText(values.*r.single);
            break;
        case Kind::LoadFile:
            out << values.loadFile;
            break;
        }
    }
    return out;
}

std::optional<Failure> apply(int number, const QString& text, Values& values) {
    if (number < 1 || number > RecordCount) return invalidValue();
    SimSettings& s = values.settings;
    const Record& r = record(number);
    switch (r.kind) {
    case Kind::Text:
    case Kind::Notes:
        s.*r.text = text;
        return std::nullopt;
    case Kind::LoadFile:
        values.loadFile = text;
        return std::nullopt;
    case Kind::Slider: {
        int v = 0;
        if (auto f = toInt(text, v)) return f;
        // The slider cannot hold a value beyond its range; it keeps the nearest one.
        s.*r.number = (s.*r.range).clamp(v);
        return std::nullopt;
    }
    case Kind::Check: {
        int v = 0;
        if (auto f = toInt(text, v)) return f;
        if (v != 0 && v != 1) return invalidValue();
        s.*r.number = v;
        return std::nullopt;
    }
    case Kind::Flyer:
        return toIndex(text, 2, s.*r.number);
    case Kind::Sight: {
        int v = 0;
        if (auto f = toIndex(text, 4, v)) return f;
        values.sight = static_cast<int16_t>(v);
        return std::nullopt;
    }
    case Kind::Metric: {
        const auto b = MNumber::parseBool(text);
        if (!b) return typeMismatch();
        s.optSimMetric1 = *b;
        return std::nullopt;
    }
    case Kind::Transparent:
    case Kind::Single:
        return toSingle(text, values.*r.single);
    }
    return std::nullopt;
}

Read read(const QString& path, const Values& start) {
    Read result{start, {}};
    ReadReport& report = result.report;
    CFileData::Limits limits;
    limits.multilineFields = {NotesRecord};
    limits.mostFields = RecordCount;
    CFileData::ReadReport file;
    const QStringList fields = CFileData::readFields(path, limits, file);
    report.opened = file.opened;
    report.path = file.path;
    report.problem = file.problem;
    if (!file.opened) return result;
    for (int n = 1; n <= RecordCount; ++n) {
        if (n == file.tooLongField) {
            report.stoppedAt = n;
            report.problem = file.tooLong();
            break;
        }
        // A record the file lacks reads as empty: a text record takes it, a number fails.
        if (const auto failure = apply(n, fields.value(n - 1), result.values)) {
            report.stoppedAt = n;
            report.problem =
                FileProblem{QStringLiteral("CSim"), QStringLiteral("dataLoad"), failure->number,
                            QStringLiteral("%1: record %2 of %3")
                                .arg(failure->description)
                                .arg(n)
                                .arg(file.path)};
            break;
        }
    }
    return result;
}

namespace {
QList<CFileData::Field> fieldsOf(const Values& values) {
    const QStringList texts = records(values);
    QList<CFileData::Field> fields;
    for (int n = 1; n <= texts.size(); ++n)
        fields.append({texts.at(n - 1), isMultiline(n)});
    return fields;
}
} // namespace

std::optional<FileProblem> write(const QString& path, const Values& values) {
    return CFileData::writeFields(path, fieldsOf(values));
}

QByteArray bytesOf(const Values& values) {
    QByteArray data;
    for (const CFileData::Field& field : fieldsOf(values)) {
        data += CFileData::encodeField(field.text, field.multiline).toLatin1();
        data += "\r\n";
    }
    return data;
}

std::optional<QString> steppedName(const QString& path, bool forward) {
    // The number the name ends in, before its four-character extension: "range11.ssn" is 11.
    const QString name = MSmallBallStruct::shortFilename(path);
    if (name.size() < 5) return std::nullopt;
    const qsizetype end = name.size() - 4;
    qsizetype start = end;
    while (start > 0 && name.at(start - 1).isDigit() && name.at(start - 1).unicode() < 128)
        --start;
    if (start == end || end - start > 9) return std::nullopt;
    const int next = name.mid(start, end - start).toInt() + (forward ? 1 : -1);
    if (next < 1) return std::nullopt;
    // Numbers written with leading zeros keep their width ("range09" steps to "range08").
    const bool padded = end - start > 1 && name.at(start) == QLatin1Char('0');
    const QString digits =
        QStringLiteral("%1").arg(next, padded ? int(end - start) : 0, 10, QLatin1Char('0'));
    const QString folder = path.left(path.size() - name.size());
    return folder + name.left(start) + digits + name.right(4);
}

QString windowCaption(const QString& cartridge, const QString& sessionPath) {
    return QStringLiteral("Quorvel Tables -     Load: ") + cartridge +
           QStringLiteral("      Session: ") + MSmallBallStruct::shortFilename(sessionPath);
}

} // namespace SessionFile
