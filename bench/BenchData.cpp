#include "bench/BenchData.h"

#include <algorithm>
#include <cstdint>
#include <string_view>

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

constexpr std::string_view kNames[] = {"Jürgen", "Łucja", "Zoë", "José", "Smith, J", "O'Neil", "東京太郎", "Anna",
                              "Björn", "François", "Søren", "Ἀλέξανδρος", "Иван", "a<b&c", "Say \"hi\"",
                              "Núñez", "Ölçer", "Mary-Jane", "Li", "Ørsted"};
constexpr std::string_view kCities[] = {"München", "Kraków", "São Paulo", "Reykjavík", "Zürich", "New York, NY",
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
    for (int i = 1; i <= rows; ++i) {
        TMemDataset::TRowWriter row(ds);
        row.Int(i);
        if (!r.Null()) row.Text(kNames[r.Below(20)]);
        else row.Null();
        if (!r.Null()) row.Text(kCities[r.Below(20)]);
        else row.Null();
        if (!r.Null()) row.Float((r.Below(10000000) + 100000) / 100.0);
        else row.Null();
        if (!r.Null()) row.Float(r.Below(100000000) / 10000.0);
        else row.Null();
        if (!r.Null()) row.Float(birth0 + r.Below(20000));
        else row.Null();
        if (!r.Null()) row.Float(created0 + r.Below(1800) + r.Below(86400) / 86400.0);
        else row.Null();
        if (!r.Null()) row.Bool(r.Below(2) == 1);
    }
    ds.Open();
}

}  // namespace ostrel::bench
