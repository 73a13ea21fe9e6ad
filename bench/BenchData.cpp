#include "bench/BenchData.h"

#include <algorithm>
#include <cstdint>

namespace ostrel::bench {

namespace {

// A small deterministic generator, so that every tool sees the same rows.
struct TRandom {
    uint64_t State;
    uint32_t Next() {
        State = State * 6364136223846793005ULL + 1442695040888963407ULL;
        return static_cast<uint32_t>(State >> 33);
    }
    int Below(int n) { return static_cast<int>(Next() % static_cast<uint32_t>(n)); }
    bool Null() { return Below(10) == 0; }
};

const char* const kNames[] = {"Jürgen", "Łucja", "Zoë", "José", "Smith, J", "O'Neil", "東京太郎", "Anna",
                              "Björn", "François", "Søren", "Ἀλέξανδρος", "Иван", "a<b&c", "Say \"hi\"",
                              "Núñez", "Ölçer", "Mary-Jane", "Li", "Ørsted"};
const char* const kCities[] = {"München", "Kraków", "São Paulo", "Reykjavík", "Zürich", "New York, NY",
                               "Москва", "東京", "Ćuprija", "Łódź", "50% off & more", "C:\\temp",
                               "Saint-Étienne", "Århus", "İstanbul", "Kyiv", "Dublin", "Lima", "Oslo",
                               "Québec"};

}  // namespace

void FillStandardDataset(TMemDataset& ds, int rows) {
    ds.AddField("ID", TMemFieldType::Integer);
    ds.AddField("NAME", TMemFieldType::String, 20);
    ds.AddField("CITY", TMemFieldType::String, 40);
    ds.AddField("SALARY", TMemFieldType::Float);
    ds.AddField("PRICE", TMemFieldType::Currency);
    ds.AddField("BIRTH", TMemFieldType::Date);
    ds.AddField("CREATED", TMemFieldType::DateTime);
    ds.AddField("ACTIVE", TMemFieldType::Boolean);
    ds.Reserve(rows);
    TRandom r{12345};
    const TDateTime birth0 = EncodeDate(1950, 1, 1), created0 = EncodeDate(2020, 1, 1);
    std::vector<TMemValue> row(8);
    for (int i = 1; i <= rows; ++i) {
        std::fill(row.begin(), row.end(), TMemValue{});
        row[0] = int64_t{i};
        if (!r.Null()) row[1] = std::string(kNames[r.Below(20)]);
        if (!r.Null()) row[2] = std::string(kCities[r.Below(20)]);
        if (!r.Null()) row[3] = (r.Below(10000000) + 100000) / 100.0;
        if (!r.Null()) row[4] = r.Below(100000000) / 10000.0;
        if (!r.Null()) row[5] = birth0 + r.Below(20000);
        if (!r.Null()) row[6] = created0 + r.Below(1800) + r.Below(86400) / 86400.0;
        if (!r.Null()) row[7] = r.Below(2) == 1;
        ds.AppendRow(row);
    }
    ds.Open();
}

}  // namespace ostrel::bench
