// The CSV reader of ostrel-export: any bytes either read or fail with the library's error, blocks
// of any size and a second pass after starting over read the same records (or fail alike), and
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
    const size_t blockSize = in.ConsumeIntegralInRange<size_t>(1, 64);
    const std::string text = in.ConsumeRemainingBytesAsString();
    ostrel::cli::TCsvTable table;
    std::string failure;
    try {
        table = ostrel::cli::ParseCsv(text, separator, header, "fuzz.csv");
    } catch (const ostrel::EOstrelError& e) {
        failure = e.what();
    }
    std::vector<std::vector<std::string>> records;
    if (failure.empty()) {
        if (!table.Header.empty()) records.push_back(table.Header);
        records.insert(records.end(), table.Rows.begin(), table.Rows.end());
    }
    ostrel::cli::TCsvReader reader(text, separator, "fuzz.csv", blockSize);
    for (int pass = 0; pass < 2; ++pass) {
        std::vector<std::vector<std::string>> read;
        std::vector<std::string> fields;
        std::string failed;
        try {
            while (reader.Next(fields)) read.push_back(fields);
        } catch (const ostrel::EOstrelError& e) {
            failed = e.what();
        }
        if (failed != failure || (failure.empty() && read != records)) std::abort();
        reader.Restart();
    }
    if (!failure.empty()) return 0;
    const ostrel::cli::TCsvTable again = ostrel::cli::ParseCsv(WriteQuoted(table, separator), separator, header, "again");
    if (again.Header != table.Header || again.Rows != table.Rows) std::abort();
    return 0;
}
