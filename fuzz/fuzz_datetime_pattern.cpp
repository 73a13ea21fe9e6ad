// Date-time patterns of any shape, also as the locale's own (self-referring) patterns.
#include <fuzzer/FuzzedDataProvider.h>

#include "platform/DateTimeFormat.h"
#include "platform/FormatSettings.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    ostrel::TFormatSettings s;
    s.ShortDateFormat = in.ConsumeRandomLengthString(32);
    s.LongTimeFormat = in.ConsumeRandomLengthString(32);
    s.LongDateFormat = in.ConsumeRandomLengthString(32);
    ostrel::SetFormatSettings(s);
    const double value = in.ConsumeFloatingPoint<double>();
    const std::string pattern = in.ConsumeRemainingBytesAsString();
    ostrel::FormatDateTime(pattern, value);
    ostrel::FormatDateTime(pattern, value - static_cast<int64_t>(value));
    return 0;
}
