// The text-field layer on arbitrary bytes: reading fields one by one ends, never crashes, and the
// field escapes undo each other for text that holds no escape character.
#include "FuzzSupport.h"

#include "services/CFileData.h"

#include <algorithm>

namespace {

constexpr int16_t FileNumber = 1;
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
    CFileData dat;
    dat.filename = env.write(QStringLiteral("fields.txt"), data, size);
    if (!dat.openTextInput(FileNumber)) fuzz::fail("an existing file did not open");
    // Every read consumes at least one byte, so the file ends within `size` reads. The
    // program's files have at most 32 fields, so reading stops after 64: each read is linear in
    // its field, and a 4 MB file of 4 million one-byte fields measures the loop here, not them.
    size_t reads = 0;
    bool multiline = false;
    while (!dat.atEnd(FileNumber) && reads < MostFields) {
        if (++reads > size) fuzz::fail("reading does not reach the end");
        const QString field =
            multiline ? dat.readMultilineText(FileNumber) : dat.readText(FileNumber);
        if (!multiline && field.contains(QLatin1String("\r\n")))
            fuzz::fail("a single-line field holds a line break");
        multiline = !multiline;
    }
    if (dat.atEnd(FileNumber) && !dat.readText(FileNumber).isEmpty())
        fuzz::fail("a read past the end gave text");
    dat.closeText(FileNumber);

    // The escapes are checked on the first 64 KB: they are linear, and 4 MB of commas would
    // time the eight passes here rather than the reading above.
    const QString text = QString::fromLatin1(reinterpret_cast<const char*>(data),
                                             static_cast<qsizetype>(std::min<size_t>(size, 65536)));
    checkEscapes(text);
    return 0;
}
