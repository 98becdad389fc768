// The picture check and the decoder behind it on arbitrary bytes: the walk through a file never
// reads outside it, and whatever it lets through decodes to a picture of the size its header
// gave, or is refused.
#include "FuzzSupport.h"

#include "sim/PictureCheck.h"
#include "sim/Raster.h"

#include <QGuiApplication>

namespace {

void ensureGuiApplication() {
    static int argc = 1;
    static char name[] = "fuzz_picture";
    static char* argv[] = {name, nullptr};
    if (QCoreApplication::instance()) return;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(argc, argv);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    ensureGuiApplication();
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    const PictureCheck::Verdict verdict = PictureCheck::check(bytes);
    const QImage image = Raster::decodePicture(bytes);
    if (!image.isNull() && !verdict.whole()) fuzz::fail("a refused picture was decoded");
    if (!image.isNull() && image.size() != verdict.size)
        fuzz::fail("a picture decoded to another size than its header gave");
    return 0;
}
