// The drag curve reader (Mach,Cd CSV) on arbitrary bytes, held to the properties every drag
// reader keeps (DragChecks.h).
#include "DragChecks.h"

#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const precision::DragParse parsed =
        precision::parseDragCsv(std::string_view(reinterpret_cast<const char*>(data), size));
    if (parsed.curve)
        fuzz::checkDragCurve(*parsed.curve);
    else
        fuzz::checkDragMessage(parsed.error);
    return 0;
}
