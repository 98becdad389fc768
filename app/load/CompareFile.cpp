#include "load/CompareFile.h"

#include "load/Comparison.h"
#include "load/LoadFile.h"

#include "services/MNumber.h"
#include "services/MSmallBallStruct.h"

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

bool dataLoadCompare(CFileData& dat, CInput& compareInput, QString& compareFile, int* fieldsRead) {
    int applied = 0;
    const QString remembered = dat.filename;
    bool opened = false;
    if (MSmallBallStruct::FileExists(compareFile)) {
        dat.filename = compareFile;
        opened = dat.openTextInput(FileNumber);
    }
    if (opened) {
        // Read into a copy: a file given up for a field no load can hold changes nothing.
        CInput read = compareInput;
        read.cart = dat.readText(FileNumber);
        applied = 1;
        for (const Slot& slot : numericSlots()) {
            if (!apply(slot, dat.readText(FileNumber), read)) break;
            ++applied;
        }
        opened = !dat.fieldTooLong(FileNumber);
        if (opened)
            compareInput = read;
        else
            applied = 0;
        dat.closeText(FileNumber);
    }
    dat.filename = remembered;
    if (fieldsRead) *fieldsRead = applied;
    return opened;
}

PrecisionForm precisionOf(CFileData& dat, const QString& compareFile) {
    const QString kept = dat.filename;
    dat.filename = compareFile;
    LoadForm form;
    LoadFile::read(dat, form);
    dat.filename = kept;
    return form.precision;
}

QString compareName(const QString& compareFile) {
    return compareFile.isEmpty() ? QString() : MSmallBallStruct::shortFilename(compareFile);
}

} // namespace CompareFile

void Comparison::setFile(const QString& path) {
    file = path;
    if (!path.isEmpty()) name = CompareFile::compareName(path);
}
