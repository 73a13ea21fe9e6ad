// The integer, floating-point and date-time readers, whose results must format back.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>

#include "platform/FormatSettings.h"
#include "platform/Parsers.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    ostrel::TFormatSettings s;
    switch (in.ConsumeIntegralInRange(0, 2)) {
        case 0: break;
        case 1:
            s.DecimalSeparator = ',';
            s.DateSeparator = '.';
            s.ShortDateFormat = "dd/mm/yyyy";
            break;
        default:
            s.DateSeparator = '-';
            s.ShortDateFormat = "yyyy/mm/dd";
            s.TimeAMString = in.ConsumeRandomLengthString(4);
            break;
    }
    ostrel::SetFormatSettings(s);
    const std::string text = in.ConsumeRemainingBytesAsString();
    int32_t i;
    int64_t l;
    double d;
    ostrel::TDateTime t;
    ostrel::TDecimal dec;
    ostrel::TryStrToInt(text, i);
    ostrel::TryStrToInt64(text, l);
    if (ostrel::TryStrToFloat(text, d) != ostrel::TryStrToDecimal(text, dec)) std::abort();
    if (ostrel::TryStrToDecimal(text, dec)) ostrel::FormatDecimal("#,##0.00", dec);
    if (ostrel::TryStrToDateTime(text, t)) ostrel::FormatDateTime("c", t);
    return 0;
}
