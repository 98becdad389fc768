// The load data reader on arbitrary bytes: it must never crash, refuse a file only with a
// message and without changing the form, and whatever it accepted must survive a save and a
// second reading unchanged.
#include "FuzzSupport.h"

#include "load/LoadFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    auto& env = fuzz::environment();
    QString datFile = env.write(QStringLiteral("input.qvt"), data, size);
    LoadForm first = LoadForm::initial();
    const long messages = env.prompt.messages;
    const LoadFile::ReadReport report = LoadFile::read(datFile, first);
    if (!report.opened) fuzz::fail("an existing file did not open");
    if (report.refused) {
        if (!(first == LoadForm::initial())) fuzz::fail("a refused file changed the form");
        // Bytes that are no load are named by the message the window shows; a field longer
        // than any field of a load (CFileData::MaxLineField) by the reader itself.
        const bool named = report.notALoad
                               ? !LoadFile::damageMessage(datFile, report, first).isEmpty()
                               : env.prompt.messages != messages;
        if (!named) fuzz::fail("a file was refused without a word");
        return 0;
    }

    datFile = env.path(QStringLiteral("saved.qvt"));
    if (!LoadFile::dataSaveTable(datFile, first)) fuzz::fail("a load could not be saved");
    LoadForm second = LoadForm::initial();
    if (!LoadFile::dataLoad(datFile, second)) fuzz::fail("the saved file did not open");
    if (!(first == second)) fuzz::fail("a saved load reads back different");
    return 0;
}
