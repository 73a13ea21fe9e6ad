// Number patterns of any shape with any value, in both separator conventions.
#include <fuzzer/FuzzedDataProvider.h>

#include "platform/FormatSettings.h"
#include "platform/NumberFormat.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    ostrel::TFormatSettings s;
    if (in.ConsumeBool()) {
        s.DecimalSeparator = ',';
        s.ThousandSeparator = "\xE2\x80\xAF";  // a multi-byte grouping character
    }
    ostrel::SetFormatSettings(s);
    const double value = in.ConsumeFloatingPoint<double>();
    const int64_t whole = in.ConsumeIntegral<int64_t>();
    const std::string pattern = in.ConsumeRemainingBytesAsString();
    ostrel::FormatFloat(pattern, value);
    ostrel::FormatInt64(pattern, whole);
    ostrel::FloatToStr(value);
    return 0;
}
