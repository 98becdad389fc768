// The load data reader on arbitrary bytes: it must never crash, refuse a file only with a
// message, and whatever it accepted must survive a save and a second reading unchanged.
#include "FuzzSupport.h"

#include "load/LoadFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    auto& env = fuzz::environment();
    QString datFile = env.write(QStringLiteral("input.qvt"), data, size);
    LoadForm first = LoadForm::initial();
    const long messages = env.prompt.messages;
    if (!LoadFile::dataLoad(datFile, first)) {
        // Only a field longer than any field of a load (CFileData::MaxLineField) refuses a file
        // that exists, and the reader says so.
        if (env.prompt.messages == messages) fuzz::fail("a file was refused without a word");
        return 0;
    }

    datFile = env.path(QStringLiteral("saved.qvt"));
    if (!LoadFile::dataSaveTable(datFile, first)) fuzz::fail("a load could not be saved");
    LoadForm second = LoadForm::initial();
    if (!LoadFile::dataLoad(datFile, second)) fuzz::fail("the saved file did not open");
    if (!(first == second)) fuzz::fail("a saved load reads back different");
    return 0;
}
