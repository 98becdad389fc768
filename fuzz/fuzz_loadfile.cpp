// The load data reader on arbitrary bytes: it must never crash, and whatever it accepted must
// survive a save and a second reading unchanged.
#include "FuzzSupport.h"

#include "load/LoadFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    auto& env = fuzz::environment();
    CFileData dat;
    dat.filename = env.write(QStringLiteral("input.qvt"), data, size);
    LoadForm first = LoadForm::initial();
    if (!LoadFile::dataLoad(dat, first)) fuzz::fail("an existing file did not open");

    dat.filename = env.path(QStringLiteral("saved.qvt"));
    if (!LoadFile::dataSaveTable(dat, first)) fuzz::fail("a load could not be saved");
    LoadForm second = LoadForm::initial();
    if (!LoadFile::dataLoad(dat, second)) fuzz::fail("the saved file did not open");
    if (!(first == second)) fuzz::fail("a saved load reads back different");
    return 0;
}
