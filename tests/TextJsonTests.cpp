// JSON documents and JSON Lines, byte for byte: typed values, escapes, keys, empty sources.
#include <algorithm>
#include <filesystem>
#include <limits>

#include "TestSupport.h"
#include "exporters/text/IB_OstrelJSON.h"
#include "platform/Parsers.h"

namespace ostrel::test {
namespace {

class Json : public ::testing::Test {
protected:
    void SetUp() override {
        ds.AddField("ID", TMemFieldType::Integer);
        ds.AddField("NAME", TMemFieldType::String, 20).SetDisplayLabel("Name");
        ds.AddField("SALARY", TMemFieldType::Float).SetDisplayLabel("Salary");
        ds.AddField("ACTIVE", TMemFieldType::Boolean);
        ds.AppendRow({int64_t{1}, "Smith", 1200.0, true});
        ds.AppendRow({int64_t{2}, TMemValue{}, -3.25, false});
        ds.Open();
        e.SetDataSet(&ds);
        e.SetFileName(dir.File("out.json"));
    }
    std::string Run() {
        e.DoExecute();
        return ReadAll(dir.File("out.json"));
    }
    // The export of a one-column dataset of these texts, as JSON Lines.
    std::string Lines(const std::vector<std::string>& texts) {
        TMemDataset t;
        t.AddField("V", TMemFieldType::String, 100);
        for (const auto& text : texts) t.AppendRow({text});
        t.Open();
        e.SetDataSet(&t);
        e.SetLayout(jlLines);
        return Run();
    }
    TFormatSettingsScope locale{UsSettings()};
    TTempDir dir;
    TMemDataset ds;
    TIB_OstrelJSON e;
};

TEST_F(Json, ArrayOfObjectsAndJsonLines) {
    EXPECT_EQ(Run(),
              "[\n"
              "{\"ID\":1,\"NAME\":\"Smith\",\"SALARY\":1200.0,\"ACTIVE\":true},\n"
              "{\"ID\":2,\"NAME\":null,\"SALARY\":-3.25,\"ACTIVE\":false}\n"
              "]\n");
    e.SetLayout(jlLines);
    EXPECT_EQ(Run(),
              "{\"ID\":1,\"NAME\":\"Smith\",\"SALARY\":1200.0,\"ACTIVE\":true}\n"
              "{\"ID\":2,\"NAME\":null,\"SALARY\":-3.25,\"ACTIVE\":false}\n");
    // Keys from the captions; the Captions list wins over the labels.
    e.SetLayout(jlArray);
    e.SetCaptionsAsKeys(true);
    e.Captions().SetText("ID=No.");
    e.SetExportRecCount(1);
    EXPECT_EQ(Run(), "[\n{\"No.\":1,\"Name\":\"Smith\",\"Salary\":1200.0,\"ACTIVE\":true}\n]\n");
    EXPECT_EQ(e.Keys(), (std::vector<std::string>{"No.", "Name", "Salary", "ACTIVE"}));
}

TEST_F(Json, DisplayFormatsAndNullTextDoNotChangeValues) {
    TFormatSettingsScope de(GermanSettings());
    e.Formats().SetFloatFormat("#,##0.000 EUR");
    e.Formats().SetIntegerFormat("0000");
    e.Formats().SetNullString("NULL");
    e.Formats().SetBooleanTrue("ja");
    EXPECT_EQ(Run(),
              "[\n"
              "{\"ID\":1,\"NAME\":\"Smith\",\"SALARY\":1200.0,\"ACTIVE\":true},\n"
              "{\"ID\":2,\"NAME\":null,\"SALARY\":-3.25,\"ACTIVE\":false}\n"
              "]\n");
}

TEST_F(Json, EmptySourcesGiveAnEmptyArrayOrNoLines) {
    TMemDataset empty;
    empty.AddField("A", TMemFieldType::Integer);
    empty.Open();
    e.SetDataSet(&empty);
    EXPECT_EQ(Run(), "[]\n");
    e.SetLayout(jlLines);
    EXPECT_EQ(Run(), "");
    EXPECT_TRUE(std::filesystem::exists(dir.File("out.json")));

    // A grid of its caption row only, a list view without items, rows all skipped.
    e.SetLayout(jlArray);
    TMemStringGrid g;
    g.SetSize(2, 1);
    g.SetFixedRows(1);
    e.SetExportSource(esStringGrid);
    e.SetStringGrid(&g);
    EXPECT_EQ(Run(), "[]\n");
    TMemListView lv;
    lv.AddColumn("A", 64);
    e.SetExportSource(esListView);
    e.SetListView(&lv);
    EXPECT_EQ(Run(), "[]\n");
    e.SetExportSource(esDataSet);
    e.SetDataSet(&ds);
    e.SetSkipRecCount(2);
    EXPECT_EQ(Run(), "[]\n");
}

TEST_F(Json, EscapesKeepEveryTextInsideItsString) {
    const std::string out = Lines({"say \"hi\" \\ / ok", "l1\r\nl2\ttab\bbs\fff", std::string("nul\0x\x01\x1F\x7F.", 9),
                                   "\xE2\x80\xA8 \xE2\x80\xA9 \xC2\x85 </script> \xEF\xBB\xBF \xC2\x86"});
    EXPECT_EQ(out,
              "{\"V\":\"say \\\"hi\\\" \\\\ / ok\"}\n"
              "{\"V\":\"l1\\r\\nl2\\ttab\\bbs\\fff\"}\n"
              "{\"V\":\"nul\\u0000x\\u0001\\u001f\x7F.\"}\n"
              "{\"V\":\"\\u2028 \\u2029 \\u0085 </script> \xEF\xBB\xBF \xC2\x86\"}\n");
    // Every control character, one per value: no raw byte below 0x20 but the line ends.
    std::vector<std::string> controls;
    for (int c = 0; c < 0x20; ++c) controls.emplace_back(1, static_cast<char>(c));
    const std::string all = Lines(controls);
    for (char c : all) EXPECT_TRUE(static_cast<unsigned char>(c) >= 0x20 || c == '\n');
    EXPECT_EQ(std::count(all.begin(), all.end(), '\n'), 32);
    EXPECT_NE(all.find("{\"V\":\"\\u000b\"}\n"), std::string::npos);
}

TEST_F(Json, InvalidUtf8BecomesReplacementCharacters) {
    const std::string fffd = "\xEF\xBF\xBD";
    EXPECT_EQ(Lines({"a\xFF" "b", "\xE2\x82", "\xC0\xAF", "\xED\xA0\x80", "\xF4\x90\x80\x80", "ok \xC3\xBC \xF0\x9F\x98\x80"}),
              "{\"V\":\"a" + fffd + "b\"}\n" +
                  "{\"V\":\"" + fffd + fffd + "\"}\n" +          // a sequence cut short: each byte
                  "{\"V\":\"" + fffd + fffd + "\"}\n" +          // an overlong form
                  "{\"V\":\"" + fffd + fffd + fffd + "\"}\n" +   // a surrogate
                  "{\"V\":\"" + fffd + fffd + fffd + fffd + "\"}\n" +  // beyond U+10FFFF
                  "{\"V\":\"ok \xC3\xBC \xF0\x9F\x98\x80\"}\n");
}

TEST_F(Json, Windows1252TextIsConvertedToUtf8) {
    TFormatSettings s = UsSettings();
    s.CodePage = CP_WINDOWS1252;
    TFormatSettingsScope cp(s);
    TMemListView lv;
    lv.AddColumn("Gr\xF6\xDF" "e", 64);
    lv.AddItem("\x80 \xE9 \"\x81");
    e.SetExportSource(esListView);
    e.SetListView(&lv);
    EXPECT_EQ(Run(), "[\n{\"Größe\":\"€ é \\\"\xC2\x81\"}\n]\n");
    EXPECT_EQ(e.Keys()[0], "Gr\xF6\xDF" "e");  // in the process code page
}

TEST_F(Json, IntegersKeepEveryDigitAndDecimalsTheirScale) {
    TMemDataset t;
    t.AddField("BIG", TMemFieldType::BigInt);
    t.AddField("CUR", TMemFieldType::Currency);
    t.AddField("F", TMemFieldType::Float);
    t.AppendRow({int64_t{9223372036854775807}, 1234.5678, 1e20});
    t.AppendRow({INT64_MIN, 0.5, 1e21});
    t.AppendRow({int64_t{1000000000000000000}, 0.0, 0.000001});
    t.AppendRow({int64_t{0}, -0.0001, -1.5e-7});
    t.Open();
    e.SetDataSet(&t);
    e.SetLayout(jlLines);
    EXPECT_EQ(Run(),
              "{\"BIG\":9223372036854775807,\"CUR\":1234.5678,\"F\":100000000000000000000.0}\n"
              "{\"BIG\":-9223372036854775808,\"CUR\":0.5000,\"F\":1E21}\n"
              "{\"BIG\":1000000000000000000,\"CUR\":0.0000,\"F\":0.000001}\n"
              "{\"BIG\":0,\"CUR\":-0.0001,\"F\":-1.5E-7}\n");
}

TEST_F(Json, NonFiniteFloatsAreStrings) {
    TMemDataset t;
    t.AddField("F", TMemFieldType::Float);
    t.AppendRow({std::numeric_limits<double>::quiet_NaN()});
    t.AppendRow({-std::numeric_limits<double>::infinity()});
    t.AppendRow({0.0});
    t.Open();
    e.SetDataSet(&t);
    e.SetLayout(jlLines);
    EXPECT_EQ(Run(), "{\"F\":\"NAN\"}\n{\"F\":\"-INF\"}\n{\"F\":0.0}\n");
}

TEST_F(Json, JsonNumbersFromDecimalDigits) {
    auto number = [](const std::string& text, int minDecimals) {
        TDecimal d;
        EXPECT_TRUE(TryStrToDecimal(text, d)) << text;
        std::string out;
        AppendJsonNumber(out, d, minDecimals);
        EXPECT_TRUE(IsJsonNumber(out)) << out;
        return out;
    };
    EXPECT_EQ(number("12345678901234.5678", 4), "12345678901234.5678");
    EXPECT_EQ(number("99999999999999999999.9999", 0), "99999999999999999999.9999");
    EXPECT_EQ(number("123456789012345678901234567890", 0), "1.2345678901234567890123456789E29");
    EXPECT_EQ(number("-7", 1), "-7.0");
    EXPECT_EQ(number("0.000001", 0), "0.000001");
    EXPECT_EQ(number("0.0000001", 0), "1E-7");
    EXPECT_EQ(number("-0.25", 4), "-0.2500");
    for (const char* good : {"0", "-0", "12", "-1.5", "1e5", "1E+5", "2.5e-3", "0.0"}) EXPECT_TRUE(IsJsonNumber(good)) << good;
    for (const char* bad : {"", "-", "01", "+1", ".5", "1.", "1e", "1e+", " 1", "1 ", "0x10", "NaN", "Infinity", "1,5", "--1"})
        EXPECT_FALSE(IsJsonNumber(bad)) << bad;
}

TEST_F(Json, DatesTimesAndTimestampsAreIso8601) {
    TMemDataset t;
    t.AddField("D", TMemFieldType::Date);
    t.AddField("T", TMemFieldType::Time);
    t.AddField("TS", TMemFieldType::DateTime);
    t.AppendRow({EncodeDate(2024, 7, 2), EncodeTime(15, 13, 0, 0), EncodeDate(2024, 7, 2) + EncodeTime(15, 13, 0, 0)});
    t.AppendRow({EncodeDate(1850, 3, 1), EncodeTime(0, 0, 0, 0), EncodeDate(1899, 12, 30)});
    t.AppendRow({TMemValue{}, TMemValue{}, TMemValue{}});
    t.Open();
    e.SetDataSet(&t);
    e.SetLayout(jlLines);
    // In a locale whose own forms are day.month.year.
    TFormatSettingsScope de(GermanSettings());
    EXPECT_EQ(Run(),
              "{\"D\":\"2024-07-02\",\"T\":\"15:13:00\",\"TS\":\"2024-07-02T15:13:00\"}\n"
              "{\"D\":\"1850-03-01\",\"T\":\"00:00:00\",\"TS\":\"1899-12-30T00:00:00\"}\n"
              "{\"D\":null,\"T\":null,\"TS\":null}\n");
}

TEST_F(Json, RepeatedKeysAreMadeUnique) {
    TMemListView lv;
    for (const char* c : {"A", "A", "A_2", "a", "A"}) lv.AddColumn(c, 64);
    lv.AddItem("1", {"2", "3", "4", "5"});
    e.SetExportSource(esListView);
    e.SetListView(&lv);
    // A column whose own key is "A_2" keeps it: the second "A" takes the next free one.
    EXPECT_EQ(Run(), "[\n{\"A\":\"1\",\"A_3\":\"2\",\"A_2\":\"3\",\"a\":\"4\",\"A_4\":\"5\"}\n]\n");
    EXPECT_EQ(e.Keys(), (std::vector<std::string>{"A", "A_3", "A_2", "a", "A_4"}));
    // Keys are strings like any other.
    TMemListView odd;
    odd.AddColumn("a\"b", 64);
    odd.AddColumn(std::string("c\0d\n", 4), 64);
    odd.AddItem("1", {"2"});
    e.SetListView(&odd);
    EXPECT_EQ(Run(), "[\n{\"a\\\"b\":\"1\",\"c\\u0000d\\n\":\"2\"}\n]\n");

    // Captions that differ only in bytes that both read as U+FFFD are the same key to a reader.
    e.SetExportSource(esDataSet);
    e.SetDataSet(&ds);
    e.SetCaptionsAsKeys(true);
    e.Captions().SetText("ID=x\xFF\r\nNAME=x\xFE\r\nSALARY=Name");
    e.SetExportRecCount(1);
    EXPECT_EQ(Run(), "[\n{\"x\xEF\xBF\xBD\":1,\"x\xEF\xBF\xBD_2\":\"Smith\",\"Name\":1200.0,\"ACTIVE\":true}\n]\n");
}

TEST_F(Json, UntypedSourcesGiveStringsUnlessTyped) {
    TFormatSettingsScope locale(PointDmySettings());
    TMemStringGrid g;
    g.SetSize(5, 4);
    g.SetFixedRows(1);
    const char* cells[4][5] = {{"N", "F", "D", "B", "S"},
                               {"12", "12345678901234.5678", "01.02.2003", "true", "007"},
                               {"9223372036854775807", "2", "24.12.1999", "false", "x"},
                               {"", "", "", "", ""}};
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 5; ++c) g.SetCell(c, r, cells[r][c]);
    e.SetExportSource(esStringGrid);
    e.SetStringGrid(&g);
    e.SetLayout(jlLines);
    EXPECT_EQ(Run(),
              "{\"0\":\"12\",\"1\":\"12345678901234.5678\",\"2\":\"01.02.2003\",\"3\":\"true\",\"4\":\"007\"}\n"
              "{\"0\":\"9223372036854775807\",\"1\":\"2\",\"2\":\"24.12.1999\",\"3\":\"false\",\"4\":\"x\"}\n"
              "{\"0\":\"\",\"1\":\"\",\"2\":\"\",\"3\":\"\",\"4\":\"\"}\n");
    // Typed by their texts: numbers keep their digits, an empty text is null.
    e.SetAutoCalcStrType(true);
    EXPECT_EQ(Run(),
              "{\"0\":12.0,\"1\":12345678901234.5678,\"2\":\"2003-02-01\",\"3\":true,\"4\":\"007\"}\n"
              "{\"0\":9223372036854775807.0,\"1\":2.0,\"2\":\"1999-12-24\",\"3\":false,\"4\":\"x\"}\n"
              "{\"0\":null,\"1\":null,\"2\":null,\"3\":null,\"4\":\"\"}\n");
}

TEST_F(Json, ChangedTextsAreStringsUnlessStillNumbers) {
    std::vector<std::string> seen;
    e.OnGetExportText = [&](TObject*, int col, std::string& text) {
        seen.push_back(text);
        if (col == 0) text = text == "1" ? "10" : "n/a";          // a number, then no number
        if (col == 1 && text.empty()) text = "unknown";          // a NULL given a text
        if (col == 2) text = text == "1200.0" ? "1e3" : " 5";    // blanks make no number
        if (col == 3 && text == "false") text = "true";          // a changed Boolean is a string
    };
    e.SetLayout(jlLines);
    EXPECT_EQ(Run(),
              "{\"ID\":10,\"NAME\":\"Smith\",\"SALARY\":1e3,\"ACTIVE\":true}\n"
              "{\"ID\":\"n/a\",\"NAME\":\"unknown\",\"SALARY\":\" 5\",\"ACTIVE\":\"true\"}\n");
    EXPECT_EQ(seen, (std::vector<std::string>{"1", "Smith", "1200.0", "true", "2", "", "-3.25", "false"}));
}

TEST_F(Json, StoppedRunsEndTheArrayAndFailedRunsLeaveNoFile) {
    ds.AppendRow({int64_t{3}, "c", 1.0, true});
    e.OnExportedRecord = [&](TObject*, int n) {
        if (n == 1) e.Abort();
    };
    EXPECT_EQ(Run(), "[\n{\"ID\":1,\"NAME\":\"Smith\",\"SALARY\":1200.0,\"ACTIVE\":true}\n]\n");
    EXPECT_TRUE(e.Aborted());
    // Stopped before the first row: by OnBeginExport, or while rows are skipped.
    e.OnExportedRecord = nullptr;
    e.OnBeginExport = [&](TObject*) { e.Abort(); };
    EXPECT_EQ(Run(), "[]\n");
    e.OnBeginExport = nullptr;
    e.SetSkipRecCount(1);
    e.OnSkippedRecord = [&](TObject*, int) { e.Abort(); };
    EXPECT_EQ(Run(), "[]\n");
    e.SetLayout(jlLines);
    EXPECT_EQ(Run(), "");
    e.OnSkippedRecord = nullptr;

    e.OnExportedRecord = nullptr;
    e.OnGetExportText = [](TObject*, int col, std::string&) {
        if (col == 2) throw EOstrelError("boom");
    };
    e.SetFileName(dir.File("failed.json"));
    EXPECT_THROW(e.DoExecute(), EOstrelError);
    EXPECT_FALSE(std::filesystem::exists(dir.File("failed.json")));
    for (const auto& f : std::filesystem::directory_iterator(dir.File("")))
        EXPECT_FALSE(f.path().string().ends_with(".part")) << f.path();
}

}  // namespace
}  // namespace ostrel::test
