// The text-field layer on arbitrary bytes: reading fields one by one ends, never crashes, and the
// field escapes undo each other for text that holds no escape character.
#include "FuzzSupport.h"

#include "services/CFileData.h"

namespace {

constexpr int16_t FileNumber = 1;

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
    // Every read consumes at least one byte, so the file ends within `size` reads.
    size_t reads = 0;
    bool multiline = false;
    while (!dat.atEnd(FileNumber)) {
        if (++reads > size) fuzz::fail("reading does not reach the end");
        const QString field =
            multiline ? dat.readMultilineText(FileNumber) : dat.readText(FileNumber);
        if (!multiline && field.contains(QLatin1String("\r\n")))
            fuzz::fail("a single-line field holds a line break");
        multiline = !multiline;
    }
    if (!dat.readText(FileNumber).isEmpty()) fuzz::fail("a read past the end gave text");
    dat.closeText(FileNumber);

    const QString text =
        QString::fromLatin1(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    checkEscapes(text);
    return 0;
}
