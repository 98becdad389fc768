// The comparison reader on arbitrary bytes: no crash, and the count of fields it applied stays
// within the seventeen it knows.
#include "FuzzSupport.h"

#include "load/CompareFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    auto& env = fuzz::environment();
    QString compareFile = env.write(QStringLiteral("compare.qvt"), data, size);
    CFileData dat;
    dat.filename = QStringLiteral("kept.qvt");
    CInput compareInput{};
    int fields = -1;
    if (!CompareFile::dataLoadCompare(dat, compareInput, compareFile, &fields))
        fuzz::fail("an existing comparison file did not open");
    if (dat.filename != QLatin1String("kept.qvt")) fuzz::fail("the file name was not restored");
    if (fields < 1 || fields > CompareFile::FieldCount) fuzz::fail("field count out of range");
    CompareFile::compareName(compareFile);
    return 0;
}
