// Number text on arbitrary bytes: parsing never crashes, agrees with isNumeric, and every value
// that fits a single-precision number is written back as text that reads to the same value.
#include "FuzzSupport.h"

#include "services/MNumber.h"

#include <cmath>
#include <cstring>

namespace {

void checkRoundTrip(float value) {
    if (!std::isfinite(value)) return;
    for (const bool localized : {false, true}) {
        const QString text = MNumber::shortText(value, localized);
        const auto back = MNumber::parse(text);
        if (!back) fuzz::fail("shortText is not numeric");
        const auto single = MNumber::toSingle(*back);
        if (!single || *single != value) fuzz::fail("shortText does not read back");
    }
    MNumber::plainText(value);
    for (int decimals = 0; decimals <= 6; ++decimals)
        MNumber::roundDecimals(value, decimals);
}

void checkRounding(double value) {
    if (!std::isfinite(value)) return;
    const double rounded = MNumber::roundHalfEven(value);
    if (rounded != std::floor(rounded)) fuzz::fail("roundHalfEven gave a fraction");
    if (std::fabs(rounded - value) > 0.5) fuzz::fail("roundHalfEven went too far");
    if (const auto whole = MNumber::toInt16(value); whole && *whole != rounded)
        fuzz::fail("toInt16 disagrees with roundHalfEven");
    if (const auto whole = MNumber::toInt32(value); whole && *whole != rounded)
        fuzz::fail("toInt32 disagrees with roundHalfEven");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::environment();
    const auto* chars = reinterpret_cast<const char*>(data);
    const auto length = static_cast<qsizetype>(size);
    for (const QString& text :
         {QString::fromUtf8(chars, length), QString::fromLatin1(chars, length)}) {
        const auto value = MNumber::parse(text);
        if (value.has_value() != MNumber::isNumeric(text)) fuzz::fail("isNumeric disagrees");
        MNumber::parseBool(text);
        if (value) {
            checkRounding(*value);
            if (const auto single = MNumber::toSingle(*value)) checkRoundTrip(*single);
        }
    }
    // The raw bytes as numbers too, to reach values no text spells.
    if (size >= sizeof(double)) {
        double d = 0;
        std::memcpy(&d, data, sizeof d);
        checkRounding(d);
        float f = 0;
        std::memcpy(&f, data, sizeof f);
        checkRoundTrip(f);
    }
    return 0;
}
