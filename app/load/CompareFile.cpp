#include "load/CompareFile.h"

#include "load/Comparison.h"
#include "load/LoadFile.h"

#include "services/AppFolders.h"
#include "services/MNumber.h"

#include <algorithm>
#include <array>

namespace CompareFile {

namespace {

// One numeric field of the file: where it goes in the record; exactly one member is set.
struct Slot {
    int16_t CInput::*whole = nullptr;
    float CInput::*single = nullptr;
};

// Fields 2 to 17 of a load data file in file order (field 1, the cartridge name, is text).
const std::array<Slot, FieldCount - 1>& numericSlots() {
    static const std::array<Slot, FieldCount - 1> table = {{
        {&CInput::ibweight, nullptr},
        {&CInput::imvel, nullptr},
        {&CInput::imaxyds, nullptr},
        {&CInput::izrange, nullptr},
        {&CInput::iydsinc, nullptr},
        {&CInput::ixwvel, nullptr},
        {&CInput::ixwangl, nullptr},
        {nullptr, &CInput::alt},
        {nullptr, &CInput::temp},
        {nullptr, &CInput::bcoef},
        {nullptr, &CInput::bcMed},
        {nullptr, &CInput::bcLow},
        {nullptr, &CInput::vMed},
        {nullptr, &CInput::vLow},
        {nullptr, &CInput::sightheight},
        {nullptr, &CInput::scopeMag},
    }};
    return table;
}

// Stores `text` into the slot; false (record untouched) when it does not convert.
bool apply(const Slot& slot, const QString& text, CInput& record) {
    const auto value = MNumber::parse(text);
    if (!value) return false;
    if (slot.whole) {
        const auto whole = MNumber::toInt16(*value);
        if (!whole) return false;
        record.*slot.whole = *whole;
        return true;
    }
    const auto single = MNumber::toSingle(*value);
    if (!single) return false;
    record.*slot.single = *single;
    return true;
}

} // namespace

bool dataLoadCompare(CInput& compareInput, QString& compareFile, QList<Problem>& problems,
                     int* fieldsRead) {
    int applied = 0;
    bool opened = false;
    if (MSmallBallStruct::FileExists(compareFile)) {
        CFileData::Limits limits;
        limits.mostFields = FieldCount;
        CFileData::ReadReport report;
        const QStringList fields = CFileData::readFields(compareFile, limits, report);
        if (report.problem) problems.append(report.problem->problem());
        if (report.opened) {
            // Read into a copy: a file given up for a field no load can hold changes nothing.
            // The reading stops at the first field that does not convert (an over-long field
            // reads as empty, which no number is).
            CInput read = compareInput;
            read.cart = fields.value(0);
            applied = 1;
            for (const Slot& slot : numericSlots()) {
                if (!apply(slot, fields.value(applied), read)) break;
                ++applied;
            }
            const int lastRead = std::min(applied + 1, FieldCount);
            opened = report.tooLongField == 0 || report.tooLongField > lastRead;
            if (opened)
                compareInput = read;
            else {
                problems.append(report.tooLong().problem());
                applied = 0;
            }
        }
    }
    if (fieldsRead) *fieldsRead = applied;
    return opened;
}

namespace {
LoadFile::ReadReport readLoad(const QString& compareFile, LoadForm& form,
                              QList<Problem>& problems) {
    std::optional<Problem> fileProblem;
    const LoadFile::ReadReport report = LoadFile::read(compareFile, form, fileProblem);
    if (fileProblem) problems.append(*fileProblem);
    return report;
}
} // namespace

PrecisionForm precisionOf(const QString& compareFile, QList<Problem>& problems) {
    LoadForm form;
    readLoad(compareFile, form, problems);
    return form.precision;
}

bool isLoadFile(const QString& compareFile, QList<Problem>& problems) {
    LoadForm form;
    return !readLoad(compareFile, form, problems).notALoad;
}

QString compareName(const QString& compareFile) {
    return compareFile.isEmpty() ? QString() : MSmallBallStruct::shortFilename(compareFile);
}

} // namespace CompareFile

void Comparison::setFile(const QString& path) {
    file = path;
    if (!path.isEmpty()) name = CompareFile::compareName(path);
}
