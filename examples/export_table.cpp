// A small program that exports an in-memory table with a minimal tab-separated exporter.
#include <cstdio>
#include <string>

#include "engine/IB_Ostrel.h"
#include "sources/MemControls.h"

using namespace ostrel;

namespace {

class TTabExporter : public TIB_OstrelFormatText {
public:
    using TIB_OstrelFormatText::TIB_OstrelFormatText;

protected:
    void WriteCaptionRow() override { WriteRow([&](int i) { return GetColCaption(i); }); }
    void WriteDataRow() override { WriteRow([&](int i) { return GetColData(i, true); }); }

private:
    template <class F>
    void WriteRow(F cell) {
        std::string line;
        for (int i = 0; i < Columns().Count(); ++i) line += (i ? "\t" : "") + cell(i);
        Writer()->WriteLn(line);
    }
};

}  // namespace

int main(int argc, char** argv) {
    std::string dir = argc > 1 ? argv[1] : ".";
    TMemListView people;
    people.AddColumn("Code", 40);
    people.AddColumn("Name", 120);
    people.AddColumn("Born", 80);
    people.AddColumn("Salary", 80);
    people.AddItem("1", {"Jürgen Ångström", "01/05/1974", "2700.36"});
    people.AddItem("2", {"Łucja Kowalska", "12/24/1980", "3100.5"});
    people.AddItem("3", {"東 太郎", "3/3/1969", "1234567.891"});

    TTabExporter exporter;
    exporter.SetExportSource(esListView);
    exporter.SetListView(&people);
    exporter.SetAutoCalcStrType(true);
    exporter.SetFileName(dir + "/people.txt");
    try {
        exporter.DoExecute();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "export failed: %s\n", e.what());
        return 1;
    }
    std::printf("Exported %d rows to %s\n", exporter.RecordCounter(), exporter.FileName().c_str());
    return 0;
}
