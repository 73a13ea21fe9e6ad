// The translation of the engine's patterns into workbook number-format codes: any pattern, in
// both separator conventions, gives a code a reader can parse: not empty, its quotes closed,
// at most four sections.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdio>
#include <cstdlib>

#include "exporters/sheet/XlsNumberFormat.h"
#include "platform/FormatSettings.h"

namespace {

void Check(bool condition, const char* what, const std::string& pattern, const std::string& code) {
    if (condition) return;
    std::fprintf(stderr, "%s: pattern [%s] gave [%s]\n", what, pattern.c_str(), code.c_str());
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    ostrel::TFormatSettings s;
    if (in.ConsumeBool()) {
        s.DecimalSeparator = ',';
        s.ThousandSeparator = ".";
        s.DateSeparator = '.';
        s.TimeSeparator = '.';
        s.ShortDateFormat = "dd/mm/yyyy";
        s.LongTimeFormat = "hh:nn:ss";
        s.TimeAMString = in.ConsumeRandomLengthString(4);
    }
    ostrel::SetFormatSettings(s);
    const auto kind = static_cast<ostrel::TXlsValueKind>(in.ConsumeIntegralInRange(0, 2));
    const std::string pattern = in.ConsumeRemainingBytesAsString();
    const std::string code = ostrel::XlsNumberFormat(pattern, kind);
    Check(!code.empty(), "empty code", pattern, code);
    if (ostrel::IsXlsFormatCode(pattern, kind)) return 0;  // the caller's own code, kept as given
    bool quoted = false, bracket = false;
    int sections = 1;
    for (size_t i = 0; i < code.size(); ++i) {
        const char c = code[i];
        if (quoted) {
            quoted = c != '"';
        } else if (c == '\\') {
            ++i;
        } else if (c == '"') {
            quoted = true;
        } else if (c == '[') {
            bracket = true;
        } else if (c == ']') {
            bracket = false;
        } else if (c == ';' && !bracket) {
            ++sections;
        }
    }
    Check(!quoted, "unclosed quote", pattern, code);
    Check(sections <= 4, "more than four sections", pattern, code);
    return 0;
}
