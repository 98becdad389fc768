// The drag curve reader (.drg radar file: a header line, then Cd and Mach per line) on arbitrary
// bytes, held to the properties every drag reader keeps (DragChecks.h).
#include "DragChecks.h"
#include "precision/DragDrg.h"

#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const precision::DragParse parsed =
        precision::parseDragDrg(std::string_view(reinterpret_cast<const char*>(data), size));
    if (parsed.curve)
        fuzz::checkDragCurve(*parsed.curve);
    else
        fuzz::checkDragMessage(parsed.error);
    return 0;
}
