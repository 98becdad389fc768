// The comparison reader on arbitrary bytes: no crash, the count of fields it applied stays
// within the seventeen it knows, and a file it refuses is refused whole and with a problem.
#include "FuzzSupport.h"

#include "load/CompareFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    auto& env = fuzz::environment();
    QString compareFile = env.write(QStringLiteral("compare.qvt"), data, size);
    CInput compareInput{};
    int fields = -1;
    QList<Problem> problems;
    const bool opened = CompareFile::dataLoadCompare(compareInput, compareFile, problems, &fields);
    if (opened && (fields < 1 || fields > CompareFile::FieldCount))
        fuzz::fail("field count out of range");
    // Only a field longer than any field of a load refuses a file that exists, with a problem
    // for the window to report.
    if (!opened && (fields != 0 || problems.isEmpty()))
        fuzz::fail("a comparison file was refused without a word, or applied in part");
    CompareFile::compareName(compareFile);
    return 0;
}
