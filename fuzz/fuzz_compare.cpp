// The comparison reader on arbitrary bytes: no crash, the count of fields it applied stays
// within the seventeen it knows, and a file it refuses is refused whole and with a message.
#include "FuzzSupport.h"

#include "load/CompareFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    auto& env = fuzz::environment();
    QString compareFile = env.write(QStringLiteral("compare.qvt"), data, size);
    CInput compareInput{};
    int fields = -1;
    const long messages = env.prompt.messages;
    const bool opened = CompareFile::dataLoadCompare(compareInput, compareFile, &fields);
    if (opened && (fields < 1 || fields > CompareFile::FieldCount))
        fuzz::fail("field count out of range");
    // Only a field longer than any field of a load refuses a file that exists, with a message.
    if (!opened && (fields != 0 || env.prompt.messages == messages))
        fuzz::fail("a comparison file was refused without a word, or applied in part");
    CompareFile::compareName(compareFile);
    return 0;
}
