// Colour text: any text either fails cleanly or reads back to the same colour.
#include <cstdlib>
#include <string>

#include "engine/IB_OstrelColor.h"
#include "platform/Errors.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    try {
        const ostrel::TColor c = ostrel::StringToColor(text);
        if (ostrel::StringToColor(ostrel::ColorToString(c)) != c) std::abort();
    } catch (const ostrel::EConvertError&) {
    }
    return 0;
}
