// The last-file record on arbitrary bytes: no crash, and a record that was read is written and
// read back unchanged.
#include "FuzzSupport.h"

#include "services/CLastFile.h"

#include <QFile>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    auto& env = fuzz::environment();
    QFile::remove(CLastFile::path());
    env.write(QStringLiteral("lastfile.dat"), data, size);
    CLastFile first;
    Problems::report(first.load()); // as the window would: the fuzz prompt checks each message
    Problems::report(first.save());
    CLastFile second;
    Problems::report(second.load());
    if (first.dataFileName != second.dataFileName || first.simFileName != second.simFileName ||
        first.targetRed != second.targetRed || first.targetBlue != second.targetBlue)
        fuzz::fail("a saved last-file record reads back different");
    return 0;
}
