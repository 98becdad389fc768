// The text-field layer on arbitrary bytes: reading the fields ends, never crashes, and the
// field escapes undo each other for text that holds no escape character.
#include "FuzzSupport.h"

#include "services/CFileData.h"

#include <algorithm>

namespace {

constexpr size_t MostFields = 64;

void checkEscapes(const QString& text) {
    if (text.contains('|')) return; // text holding the escapes themselves reads back altered
    for (const bool multiline : {false, true}) {
        const QString encoded = CFileData::encodeField(text, multiline);
        if (encoded.contains(',')) fuzz::fail("an encoded field holds a comma");
        if (multiline && encoded.contains(QLatin1String("\r\n")))
            fuzz::fail("an encoded multi-line field holds a line break");
        if (CFileData::decodeField(encoded, multiline) != text)
            fuzz::fail("a field does not decode to what was encoded");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    auto& env = fuzz::environment();
    // Every other field is read as a multi-line one. The program's files have at most 41
    // fields, so a reader takes at most 64: splitting is linear in the fields taken, and a 4 MB
    // file of 4 million one-byte fields measures the loop here, not the reader.
    CFileData::Limits limits;
    limits.mostFields = int(MostFields);
    for (int n = 2; n <= limits.mostFields; n += 2)
        limits.multilineFields.append(n);
    CFileData::ReadReport report;
    const QStringList fields =
        CFileData::readFields(env.write(QStringLiteral("fields.txt"), data, size), limits, report);
    if (!report.opened) fuzz::fail("an existing file did not open");
    // Every field takes at least one byte, so the file ends within `size` fields.
    if (size_t(fields.size()) > std::min(size, MostFields)) fuzz::fail("more fields than bytes");
    for (qsizetype i = 0; i < fields.size(); i += 2)
        if (fields[i].contains(QLatin1String("\r\n")))
            fuzz::fail("a single-line field holds a line break");
    if (report.tooLongField > 0 && !fields[report.tooLongField - 1].isEmpty())
        fuzz::fail("a field too long to be one gave text");

    // The escapes are checked on the first 64 KB: they are linear, and 4 MB of commas would
    // time the eight passes here rather than the reading above.
    const QString text = QString::fromLatin1(reinterpret_cast<const char*>(data),
                                             static_cast<qsizetype>(std::min<size_t>(size, 65536)));
    checkEscapes(text);
    return 0;
}
