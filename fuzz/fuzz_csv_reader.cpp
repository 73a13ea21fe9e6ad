// The CSV reader of ostrel-export: any bytes either read or fail with the library's error, and
// a table written back with every field quoted reads back as the same table.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>

#include "cli/CsvSource.h"
#include "platform/Errors.h"

namespace {

std::string WriteQuoted(const ostrel::cli::TCsvTable& table, char separator) {
    std::string out;
    auto row = [&](const std::vector<std::string>& fields) {
        for (size_t i = 0; i < fields.size(); ++i) {
            if (i) out += separator;
            out += '"';
            for (char c : fields[i]) out += c == '"' ? std::string("\"\"") : std::string(1, c);
            out += '"';
        }
        out += "\r\n";
    };
    if (!table.Header.empty()) row(table.Header);
    for (const auto& r : table.Rows) row(r);
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    static const char kSeparators[] = {',', ';', '\t', '|', ' '};
    const char separator = kSeparators[in.ConsumeIntegralInRange<size_t>(0, sizeof kSeparators - 1)];
    const bool header = in.ConsumeBool();
    const std::string text = in.ConsumeRemainingBytesAsString();
    ostrel::cli::TCsvTable table;
    try {
        table = ostrel::cli::ParseCsv(text, separator, header, "fuzz.csv");
    } catch (const ostrel::EOstrelError&) {
        return 0;
    }
    const ostrel::cli::TCsvTable again = ostrel::cli::ParseCsv(WriteQuoted(table, separator), separator, header, "again");
    if (again.Header != table.Header || again.Rows != table.Rows) std::abort();
    return 0;
}
