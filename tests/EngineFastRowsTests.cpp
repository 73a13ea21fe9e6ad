// Rows built in one buffer by an exporter's own appending code against the same rows built
// through the virtual per-value steps (taken for any descendant class, or with an
// OnGetExportText handler): the bytes must be the same for every value, source and setting.
#include <filesystem>
#include <functional>
#include <limits>
#include <cmath>
#include <map>

#include "TestSupport.h"
#include "exporters/sheet/IB_OstrelDBF.h"
#include "exporters/text/IB_OstrelASCII.h"
#include "exporters/text/IB_OstrelHTML.h"
#include "exporters/text/IB_OstrelLaTeX.h"
#include "exporters/text/IB_OstrelRTF.h"
#include "exporters/text/IB_OstrelSQL.h"
#include "exporters/text/IB_OstrelXML.h"

namespace ostrel::test {
namespace {

// Every kind of value, and texts that try to leave their field: separators, quotes, line
// breaks, NUL, formulas, padding-sensitive multibyte characters; NULL in every column.
// SQL scripts cannot carry a NUL (the run fails on it), so they get the set without it.
void FillHostile(TMemDataset& ds, bool withNul = true) {
    ds.AddField("I", TMemFieldType::Integer);
    ds.AddField("BIG", TMemFieldType::BigInt);
    ds.AddField("F", TMemFieldType::Float);
    ds.AddField("C", TMemFieldType::Currency);
    ds.AddField("D", TMemFieldType::Date);
    ds.AddField("T", TMemFieldType::Time);
    ds.AddField("DT", TMemFieldType::DateTime);
    ds.AddField("B", TMemFieldType::Boolean);
    ds.AddField("S", TMemFieldType::String, 30);
    const std::vector<std::string> texts = {"plain", "a,b;c", "say \"hi\"", "two\r\nlines", "cr\ronly",
                                            withNul ? std::string("nul\0in", 6) : "nul", "=1+1", "-2", "@SUM(A1)", "\ttab",
                                            "Łódź 東京", "", " padded "};
    int row = 0;
    for (const std::string& text : texts) {
        ds.AppendRow({int64_t{row * 1001 - 3000}, int64_t{9223372036854775807LL - row}, row * -12.345 + 0.5,
                      row * 1234.5678, EncodeDate(1990 + row, 1 + row % 12, 1 + row), (row % 24) / 24.0 + 0.0001,
                      EncodeDate(2020, 2, 29) + row / 7.0, row % 2 == 0, text});
        ++row;
    }
    ds.AppendRow(std::vector<TMemValue>(9, TMemValue{}));
    ds.Open();
}

template <class E>
struct TSlow : E {
    using E::E;
};

// Every file of a folder by name.
std::map<std::string, std::string> FilesOf(const std::filesystem::path& folder) {
    std::map<std::string, std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        files[entry.path().filename().string()] = ReadAll(entry.path().string());
    return files;
}

// Runs the exporter class as it is (fast rows) and as a descendant (virtual steps) with the
// same set-up, each into a folder of its own; both folders must hold the same files.
template <class E>
void ExpectSameBytes(TIB_Dataset& ds, const std::function<void(E&)>& setUp, const std::string& what) {
    TTempDir dir;
    E fast;
    TSlow<E> slow;
    for (E* e : {&fast, static_cast<E*>(&slow)}) {
        const std::filesystem::path folder = dir.File(e == &fast ? "fast" : "slow");
        std::filesystem::create_directory(folder);
        e->SetDataSet(&ds);
        setUp(*e);
        e->SetFileName((folder / "out").string());
        e->DoExecute();
    }
    const auto a = FilesOf(dir.File("fast")), b = FilesOf(dir.File("slow"));
    size_t bytes = 0;
    for (const auto& [name, text] : a) bytes += text.size();
    EXPECT_GT(bytes, 100u) << what;
    EXPECT_EQ(a, b) << what;
}

class FastRows : public ::testing::Test {
protected:
    void SetUp() override { FillHostile(ds); }
    TFormatSettingsScope locale{GermanSettings()};
    TMemDataset ds;
};

TEST_F(FastRows, CsvAndTxtAreTheBytesOfTheVirtualSteps) {
    for (bool quote : {true, false})
        for (bool guard : {true, false})
            ExpectSameBytes<TIB_OstrelASCII>(ds, [&](TIB_OstrelASCII& e) {
                e.SetExportType(etCSV);
                e.SetCSVQuoteStrings(quote);
                e.SetCSVFormulaGuard(guard);
                e.SetCSVComma(';');
                e.Formats().SetNullString("<null>");
            }, "csv quote=" + std::to_string(quote) + " guard=" + std::to_string(guard));
    for (int spacing : {0, 3})
        ExpectSameBytes<TIB_OstrelASCII>(ds, [&](TIB_OstrelASCII& e) {
            e.SetExportType(etTXT);
            e.SetTXTSpacing(spacing);
            e.ColumnsAlign().Add("S=Center");
            e.ColumnsAlign().Add("I=Left");
            e.ColumnsAlign().Add("D=Right");
            e.ColumnsWidth().Add("S=7");  // narrower than most texts: never cut
            e.Formats().SetNullString("-");
        }, "txt spacing=" + std::to_string(spacing));
}

TEST_F(FastRows, DifAndSylkAreTheBytesOfTheVirtualSteps) {
    for (TOstrelASCIIType type : {etDIF, etSYLK})
        for (bool captions : {true, false})
            ExpectSameBytes<TIB_OstrelASCII>(ds, [&](TIB_OstrelASCII& e) {
                e.SetExportType(type);
                e.SetAllowCaptions(captions);
                e.Formats().SetBooleanTrue("ja");
            }, std::string(type == etDIF ? "dif" : "sylk") + " captions=" + std::to_string(captions));
}

TEST_F(FastRows, XmlIsTheBytesOfTheVirtualSteps) {
    for (const char* encoding : {"UTF-8", "ISO-8859-1"})
        ExpectSameBytes<TIB_OstrelXML>(ds, [&](TIB_OstrelXML& e) {
            e.Options().SetEncoding(encoding);
            e.Formats().SetNullString("<&\">");
            e.Formats().SetBooleanFalse("n<o>");
        }, std::string("xml ") + encoding);
}

TEST_F(FastRows, HtmlIsTheBytesOfTheVirtualSteps) {
    for (bool checkBoxes : {false, true})
        ExpectSameBytes<TIB_OstrelHTML>(ds, [&](TIB_OstrelHTML& e) {
            e.SetBoolAsCheckBox(checkBoxes);
            e.SetMaxRecords(5);  // pages, each with its own rows
            e.ColumnsAlign().Add("S=Center");
            e.Formats().SetNullString("<b>");
        }, "html checkboxes=" + std::to_string(checkBoxes));
}

TEST_F(FastRows, RtfIsTheBytesOfTheVirtualSteps) {
    for (TFontStyles style : {TFontStyles{0}, TFontStyles{fsBold | fsItalic}})
        ExpectSameBytes<TIB_OstrelRTF>(ds, [&](TIB_OstrelRTF& e) {
            e.Options().DefaultFont.Style = style;
            e.ColumnsAlign().Add("S=Right");
            e.Formats().SetNullString("{\\null}");
        }, "rtf style=" + std::to_string(style));
}

TEST_F(FastRows, LatexIsTheBytesOfTheVirtualSteps) {
    for (const char* null : {"", "{\\n}&_"})
        ExpectSameBytes<TIB_OstrelLaTeX>(ds, [&](TIB_OstrelLaTeX& e) {
            e.Formats().SetNullString(null);
            e.Formats().SetBooleanTrue("ja & ~");
        }, std::string("latex null=") + null);
}

// Numbers and dates are formatted straight into the row and escaped there: literals of their
// patterns and locale separators that are quotes, markup or non-ASCII must still be escaped.
TEST_F(FastRows, FormattedTextsWithQuotesAndMarkupAreEscapedInTheRow) {
    TFormatSettings hostile = GermanSettings();
    hostile.ThousandSeparator = "<\"";
    hostile.DecimalSeparator = '&';
    hostile.DateSeparator = '{';
    hostile.TimeSeparator = '\\';
    TFormatSettingsScope scope(hostile);
    auto formats = [](TOstrelFormats& f) {
        f.SetIntegerFormat("#,##0' \"x\"'");
        f.SetFloatFormat("0.00 '<b>&amp;'");
        f.SetCurrencyFormat("#,##0.00 '€'");
        f.SetDateFormat("dd/mm/yyyy '}'");
        f.SetDateTimeFormat("yyyy/mm/dd hh:nn");
    };
    for (bool quote : {true, false})
        ExpectSameBytes<TIB_OstrelASCII>(ds, [&](TIB_OstrelASCII& e) {
            e.SetExportType(etCSV);
            e.SetCSVQuoteStrings(quote);
            formats(e.Formats());
        }, "csv quote=" + std::to_string(quote));
    ExpectSameBytes<TIB_OstrelASCII>(ds, [&](TIB_OstrelASCII& e) {
        e.SetExportType(etTXT);
        formats(e.Formats());
    }, "txt");
    ExpectSameBytes<TIB_OstrelHTML>(ds, [&](TIB_OstrelHTML& e) { formats(e.Formats()); }, "html");
    ExpectSameBytes<TIB_OstrelXML>(ds, [&](TIB_OstrelXML& e) { formats(e.Formats()); }, "xml");
    ExpectSameBytes<TIB_OstrelRTF>(ds, [&](TIB_OstrelRTF& e) { formats(e.Formats()); }, "rtf");
    ExpectSameBytes<TIB_OstrelLaTeX>(ds, [&](TIB_OstrelLaTeX& e) { formats(e.Formats()); }, "latex");

    // And what the HTML row holds: the literal's markup escaped, the plain numbers as they are.
    TTempDir dir;
    TIB_OstrelHTML e;
    e.SetDataSet(&ds);
    formats(e.Formats());
    e.SetFileName(dir.File("a.html"));
    e.DoExecute();
    const std::string html = ReadAll(dir.File("a.html"));
    EXPECT_NE(html.find("&lt;b&gt;&amp;amp;"), std::string::npos);
    EXPECT_NE(html.find("-3&lt;&quot;000 &quot;x&quot;"), std::string::npos);
    EXPECT_EQ(html.find("<b>&amp;"), std::string::npos);
}

TEST(FastRowsWithoutNul, SqlAndDbfAreTheBytesOfTheVirtualSteps) {
    TFormatSettingsScope locale{GermanSettings()};
    TMemDataset ds;
    FillHostile(ds, false);
    // The table's header holds the day of the run, the same for both runs; BIGINT's largest
    // values do not fit a dBase number.
    ExpectSameBytes<TIB_OstrelDBF>(ds, [](TIB_OstrelDBF& e) {
        e.SetExportedFields({"I", "F", "C", "D", "T", "DT", "B", "S"});
    }, "dbf");
    for (char term : {';', '^'})
        ExpectSameBytes<TIB_OstrelSQL>(ds, [&](TIB_OstrelSQL& e) {
            e.SetTableName("T");
            e.SetStatementTerm(term);
            e.SetCommitRecCount(4);
            e.SetCommitStatement("COMMIT WORK;");
            e.Formats().SetNullString(term == ';' ? "" : "null");
        }, std::string("sql term=") + term);
}

// A descendant's own steps and an OnGetExportText handler are honoured: they see every value.
TEST_F(FastRows, HooksAndOverridesStillSeeEveryValue) {
    struct TShouting : TIB_OstrelASCII {
        using TIB_OstrelASCII::TIB_OstrelASCII;
        std::string ReplaceSpecialChars(const std::string& Text) override { return "<" + Text + ">"; }
    };
    TTempDir dir;
    TShouting shouting;
    shouting.SetExportType(etCSV);
    shouting.SetCSVComma(',');
    shouting.SetDataSet(&ds);
    shouting.SetFileName(dir.File("a"));
    shouting.DoExecute();
    EXPECT_NE(ReadAll(dir.File("a")).find(",<plain>,"), std::string::npos);

    TIB_OstrelASCII e;
    e.SetExportType(etCSV);
    e.SetCSVComma(',');
    e.SetDataSet(&ds);
    e.SetFileName(dir.File("b"));
    int seen = 0;
    e.OnGetExportText = [&](TObject*, int, std::string& text) {
        ++seen;
        if (text == "\"plain\"") text = "PLAIN";
    };
    e.DoExecute();
    EXPECT_EQ(seen, 14 * 9);
    EXPECT_NE(ReadAll(dir.File("b")).find(",PLAIN,"), std::string::npos);
}

// Formats that know their own special characters still ask a descendant for its set: a
// character it adds is escaped in every text, also between plain characters.
TEST_F(FastRows, ADescendantsSpecialCharactersAreEscaped) {
    struct TAtLaTeX : TIB_OstrelLaTeX {
        using TIB_OstrelLaTeX::TIB_OstrelLaTeX;
        TCharSet GetSpecialChars() override { return CharSetOf("#$%&\\^_{}~@"); }
    };
    struct TAtHtml : TIB_OstrelHTML {
        using TIB_OstrelHTML::TIB_OstrelHTML;
        TCharSet GetSpecialChars() override { return CharSetOf("\"&<>@"); }
    };
    TTempDir dir;
    TAtLaTeX latex;
    latex.SetDataSet(&ds);
    latex.SetFileName(dir.File("a.tex"));
    latex.DoExecute();
    const std::string tex = ReadAll(dir.File("a.tex"));
    EXPECT_NE(tex.find("\\@SUM(A1)"), std::string::npos);
    TAtHtml html;
    html.SetDataSet(&ds);
    html.SetFileName(dir.File("a.html"));
    html.DoExecute();
    const std::string page = ReadAll(dir.File("a.html"));
    EXPECT_EQ(page.find("@SUM"), std::string::npos);
    EXPECT_NE(page.find("SUM(A1)"), std::string::npos);
    // The classes themselves leave it as it is.
    TIB_OstrelLaTeX plainLatex;
    plainLatex.SetDataSet(&ds);
    plainLatex.SetFileName(dir.File("b.tex"));
    plainLatex.DoExecute();
    EXPECT_NE(ReadAll(dir.File("b.tex")).find("@SUM(A1)"), std::string::npos);
}

// The columns' patterns are compiled once, but a format changed by a handler between rows, or
// between two runs, is the format of the rows after it.
TEST_F(FastRows, AFormatChangedBetweenRowsOrRunsIsTheOneUsed) {
    TTempDir dir;
    TIB_OstrelASCII e;
    e.SetExportType(etCSV);
    e.SetCSVComma(',');
    e.SetCSVQuoteStrings(false);
    e.SetAllowCaptions(false);
    e.SetDataSet(&ds);
    e.ExportedFields().Add("I");
    e.ExportedFields().Add("D");
    e.SetExportRecCount(3);
    e.OnExportedRecord = [&](TObject*, int row) {
        if (row == 1) {
            e.Columns()[0].Format = "0.0";
            e.Columns()[1].Format = "yyyy";
        }
    };
    e.SetFileName(dir.File("a"));
    e.DoExecute();
    EXPECT_EQ(ReadAll(dir.File("a")), "-3.000,01.01.1990,\r\n-1999,0,1991,\r\n-998,0,1992,\r\n");
    e.OnExportedRecord = nullptr;
    e.Formats().SetIntegerFormat("#,##0");
    e.Formats().SetDateFormat("d/m");
    e.SetFileName(dir.File("b"));
    e.DoExecute();
    EXPECT_EQ(ReadAll(dir.File("b")), "-3.000,1.1,\r\n-1.999,2.2,\r\n-998,3.3,\r\n");
}

// Without a handler between the rows the columns and patterns are looked up once per run; a
// handler of any row event may change them, and then every value looks them up again.
TEST_F(FastRows, AFormatChangedByACellHandlerIsUsedFromThenOn) {
    TTempDir dir;
    TIB_OstrelHTML e;
    e.SetDataSet(&ds);
    e.ExportedFields().Add("I");
    e.SetExportRecCount(3);
    e.OnGetCellParams = [&](TObject*, int recNo, int, const std::string&, TOstrelColAlign&, TFont&, TColor&) {
        if (recNo == 1) e.Columns()[0].Format = "0.0";
    };
    e.SetFileName(dir.File("a.html"));
    e.DoExecute();
    const std::string html = ReadAll(dir.File("a.html"));
    EXPECT_NE(html.find(">-3.000<"), std::string::npos) << html;
    EXPECT_NE(html.find(">-998,0<"), std::string::npos) << html;
}

// DIF writes numbers from the typed value where it can; they must be the numbers the values'
// texts read as (what a text handler would see), also for values no decimal holds.
TEST(TypedReads, DifNumbersAreTheNumbersTheirTextsReadAs) {
    TFormatSettingsScope locale{GermanSettings()};
    TMemDataset ds;
    ds.AddField("I", TMemFieldType::Integer);
    ds.AddField("BIG", TMemFieldType::BigInt);
    ds.AddField("F", TMemFieldType::Float);
    ds.AddField("C", TMemFieldType::Currency);
    const double inf = std::numeric_limits<double>::infinity();
    for (double f : {0.0, -0.0, std::nan(""), inf, -inf, 1e-7, 1.5e20, 123456789012345678.0, 0.1 + 0.2, -2.5,
                     4.9e-324})
        ds.AppendRow({int64_t{-3000}, int64_t{-9223372036854775807LL - 1}, f, f});
    ds.AppendRow({int64_t{0}, int64_t{9223372036854775807LL}, TMemValue{}, 1234.5678});
    ds.Open();
    TTempDir dir;
    std::string files[2];
    for (int run = 0; run < 2; ++run) {
        TIB_OstrelASCII e;
        e.SetExportType(etDIF);
        e.SetDataSet(&ds);
        if (run == 1) e.OnGetExportText = [](TObject*, int, std::string&) {};
        e.SetFileName(dir.File(std::to_string(run)));
        e.DoExecute();
        files[run] = ReadAll(dir.File(std::to_string(run)));
    }
    EXPECT_EQ(files[0], files[1]);
    EXPECT_NE(files[0].find("0,1.5E20\r\nV\r\n"), std::string::npos);
    EXPECT_NE(files[0].find("0,-9223372036854775808\r\nV"), std::string::npos) << files[0].substr(0, 400);
}

}  // namespace
}  // namespace ostrel::test
