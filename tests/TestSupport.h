// Shared helpers of the tests: locales, temporary files, fake services, sample sources and an
// exporter that records the order of its calls.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "engine/IB_Ostrel.h"
#include "platform/FormatSettings.h"
#include "platform/Services.h"
#include "sources/MemControls.h"
#include "sources/MemDataset.h"

namespace ostrel::test {

// Point as decimal separator, comma for thousands, month/day/year.
inline TFormatSettings UsSettings() { return TFormatSettings::Default(); }

// Comma as decimal separator, point for thousands, day.month.year, 24-hour clock.
inline TFormatSettings GermanSettings() {
    TFormatSettings s;
    s.DecimalSeparator = ',';
    s.ThousandSeparator = ".";
    s.ListSeparator = ';';
    s.CurrencyString = "€";
    s.DateSeparator = '.';
    s.ShortDateFormat = "dd/mm/yyyy";
    s.LongDateFormat = "dddd, d. mmmm yyyy";
    s.ShortTimeFormat = "hh:nn";
    s.LongTimeFormat = "hh:nn:ss";
    s.ShortDayNames = {"So", "Mo", "Di", "Mi", "Do", "Fr", "Sa"};
    s.LongDayNames = {"Sonntag", "Montag", "Dienstag", "Mittwoch", "Donnerstag", "Freitag", "Samstag"};
    s.ShortMonthNames = {"Jan", "Feb", "Mär", "Apr", "Mai", "Jun", "Jul", "Aug", "Sep", "Okt", "Nov", "Dez"};
    s.LongMonthNames = {"Januar", "Februar", "März",      "April",   "Mai",      "Juni",
                        "Juli",   "August",  "September", "Oktober", "November", "Dezember"};
    return s;
}

// Point as decimal separator with day.month.year dates, as the demo data is written.
inline TFormatSettings PointDmySettings() {
    TFormatSettings s = UsSettings();
    s.DateSeparator = '.';
    s.ShortDateFormat = "dd/mm/yyyy";
    s.ShortTimeFormat = "hh:nn";
    s.LongTimeFormat = "hh:nn:ss";
    return s;
}

class TTempDir {
public:
    TTempDir() {
        std::string tmpl = (std::filesystem::temp_directory_path() / "ostrel-test-XXXXXX").string();
        if (!mkdtemp(tmpl.data())) throw std::runtime_error("mkdtemp failed");
        FPath = tmpl;
    }
    ~TTempDir() {
        std::error_code ec;
        std::filesystem::remove_all(FPath, ec);
    }
    std::string File(const std::string& name) const { return (FPath / name).string(); }

private:
    std::filesystem::path FPath;
};

inline std::string ReadAll(const std::string& fileName) {
    std::ifstream in(fileName, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

struct TFakeShell : IShellService {
    std::vector<std::string> Calls;
    void Perform(const std::string& verb, const std::string& fileName) override {
        Calls.push_back(verb + " " + fileName);
    }
};

struct TFakeClipboard : IClipboardService {
    std::string Text = "<untouched>";
    int SetCalls = 0;
    void SetText(const std::string& text) override {
        Text = text;
        ++SetCalls;
    }
    std::string GetText() override { return Text; }
};

// Installs a fake service for the life of the object.
template <class Fake, class Iface, void (*Set)(std::shared_ptr<Iface>)>
class TServiceScope {
public:
    TServiceScope() : Service(std::make_shared<Fake>()) { Set(Service); }
    ~TServiceScope() { Set(nullptr); }
    std::shared_ptr<Fake> Service;
};
using TShellScope = TServiceScope<TFakeShell, IShellService, &SetShellService>;
using TClipboardScope = TServiceScope<TFakeClipboard, IClipboardService, &SetClipboardService>;

// Records every virtual operation and event in the order they happen, and writes each row as
// "value|value|" so that tests can read what was exported.
template <class Base>
class TRecorder : public Base {
public:
    using Base::Base;
    std::vector<std::string> Log;
    std::function<void(TRecorder&, const std::string&)> Hook;  // called after each log entry
    int FailInRow = 0;  // throw while writing this 1-based row

    using TIB_Ostrel::AllowCaptions;
    using TIB_Ostrel::AutoCalcColWidth;
    using TIB_Ostrel::Captions;
    using TIB_Ostrel::ColumnsAlign;
    using TIB_Ostrel::ColumnsWidth;
    using TIB_Ostrel::Formats;
    using TIB_Ostrel::OnFetchedRecord;
    using TIB_Ostrel::SetAllowCaptions;
    using TIB_Ostrel::SetAutoCalcColWidth;
    using TIB_Ostrel::UserFormats;
    using TIB_Ostrel::GetExportText;

    void Note(const std::string& what) {
        Log.push_back(what);
        if (Hook) Hook(*this, what);
    }

protected:
    void BeginExport() override {
        Base::BeginExport();
        Note("BeginExport");
    }
    void BeforeExport() override { Note("BeforeExport"); }
    void AfterExport() override { Note("AfterExport"); }
    void EndExport() override {
        Note("EndExport");
        if (this->Writer()) this->Writer()->WriteLn("<end>");
        Base::EndExport();
    }
    void WriteCaptionRow() override {
        Note("WriteCaptionRow");
        WriteCells([&](int i) { return this->GetColCaption(i); });
    }
    void WriteDataRow() override {
        Note("WriteDataRow");
        if (FailInRow && this->RecordCounter() + 1 == FailInRow) throw EOstrelError("row failed");
        WriteCells([&](int i) { return this->GetColData(i, true); });
    }
    void ShowResultHook() {}

private:
    template <class F>
    void WriteCells(F cell) {
        std::string line;
        for (int i = 0; i < this->Columns().Count(); ++i) line += cell(i) + "|";
        this->Writer()->WriteLn(line);
    }
};

using TFileRecorder = TRecorder<TIB_OstrelFormatText>;
using TMemoryRecorder = TRecorder<TIB_OstrelMemory>;

// Wires every event of an exporter to its log.
template <class R>
void RecordEvents(R& e) {
    e.OnBeginExport = [&](TObject*) { e.Note("OnBeginExport"); };
    e.OnEndExport = [&](TObject*) { e.Note("OnEndExport"); };
    e.OnSkippedRecord = [&](TObject*, int n) { e.Note("OnSkippedRecord " + std::to_string(n)); };
    e.OnExportedRecord = [&](TObject*, int n) { e.Note("OnExportedRecord " + std::to_string(n)); };
}

// A dataset of `rows` rows: ID (integer 1..rows) and NAME ("row <n>").
inline void FillNumbered(TMemDataset& ds, int rows) {
    ds.AddField("ID", TMemFieldType::Integer);
    ds.AddField("NAME", TMemFieldType::String, 20);
    for (int i = 1; i <= rows; ++i) ds.AppendRow({int64_t{i}, "row " + std::to_string(i)});
    ds.Open();
}

// The demo list view: Code, Name, Date, Salary, IsMale.
inline void FillDemoListView(TMemListView& lv) {
    for (const char* c : {"Code", "Name", "Date", "Salary", "IsMale"}) lv.AddColumn(c, 80);
    lv.AddItem("1", {"ALEX", "01.05.1974", "270.36", "true"});
    lv.AddItem("2", {"MARIA", "12.11.1980", "1500", "false"});
    lv.AddItem("3", {"JÜRGEN", "03.03.1969", "99.5", "true"});
    lv.AddItem("4", {"ŁUCJA", "24.12.1990", "3100.25", "false"});
    lv.AddItem("5", {"東", "01.01.2000", "0", "true"});
}

// Calls check(text) for every text of up to maxLength bytes drawn from bytes, shortest first;
// stops at the first fatal failure.
template <size_t N, class F>
void ForEachByteText(const unsigned char (&bytes)[N], size_t maxLength, F check) {
    for (size_t length = 0; length <= maxLength; ++length) {
        size_t combinations = 1;
        for (size_t k = 0; k < length; ++k) combinations *= N;
        for (size_t code = 0; code < combinations; ++code) {
            std::string text;
            for (size_t k = 0, rest = code; k < length; ++k, rest /= N) text += static_cast<char>(bytes[rest % N]);
            check(text);
            if (::testing::Test::HasFatalFailure()) return;
        }
    }
}

}  // namespace ostrel::test
