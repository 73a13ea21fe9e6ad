// Workbooks read back by python3-xlrd, python3-olefile, LibreOffice and Gnumeric.
#include "ReaderSupport.h"
#include "StyledSheet.h"
#include "exporters/sheet/IB_OstrelXLS.h"
#include "exporters/sheet/XlsNumberFormat.h"
#include "exporters/text/IB_OstrelASCII.h"
#include "platform/CodePage.h"

namespace ostrel::test {
namespace {

// Prints the container's streams, then every cell as row,col:type:value:format, and the
// styles of the cells in row 1.
const char* kXlrdDump = R"(import sys, olefile, xlrd
print(olefile.OleFileIO(sys.argv[1]).listdir())
b = xlrd.open_workbook(sys.argv[1], formatting_info=True)
s = b.sheet_by_index(0)
print(b.nsheets, s.name, s.nrows, s.ncols)
for r in range(s.nrows):
    for c in range(s.ncols):
        cell = s.cell(r, c)
        if cell.ctype == xlrd.XL_CELL_EMPTY: continue
        fmt = b.format_map[b.xf_list[cell.xf_index].format_key].format_str
        print('%d,%d:%s:%r:%s' % (r, c, xlrd.sheet.ctype_text[cell.ctype], cell.value, fmt))
for c in range(s.ncols):
    xf = b.xf_list[s.cell(1, c).xf_index]
    f = b.font_list[xf.font_index]
    bd = xf.border
    print('style %d: %s weight=%d italic=%d colour=%d size=%d | borders %d/%d/%d/%d colours %d/%d | fill %d %d | align %d/%d wrap %d'
          % (c, f.name, f.weight, f.italic, f.colour_index, f.height // 20, bd.left_line_style, bd.right_line_style,
             bd.top_line_style, bd.bottom_line_style, bd.left_colour_index, bd.bottom_colour_index,
             xf.background.fill_pattern, xf.background.pattern_colour_index,
             xf.alignment.hor_align, xf.alignment.vert_align, xf.alignment.text_wrapped))
)";

TEST(XlsReaders, XlrdReadsValuesTypesFormatsAndStyles) {
    REQUIRE_READER("/usr/bin/python3");
    TFormatSettingsScope us(UsSettings());
    TTempDir dir;
    TMemDataset ds;
    FillStyled(ds);
    TIB_OstrelXLS e;
    e.SetDataSet(&ds);
    e.SetFileName(dir.File("t.xls"));
    StyleName(e);
    e.DoExecute();

    const std::string out = RunPython(dir, kXlrdDump, ShellQuote(dir.File("t.xls")));
    EXPECT_EQ(out,
              "[['Workbook']]\n"
              "1 Größen 4 6\n"
              "0,0:text:'ID':General\n0,1:text:'Name':General\n0,2:text:'Salary':General\n"
              "0,3:text:'Born':General\n0,4:text:'Seen':General\n0,5:text:'Active':General\n"
              "1,0:number:1.0:#,###,##0\n1,1:text:'Jürgen Ångström':General\n1,2:number:1234.5:#,##0.00 \"€\"\n"
              "1,3:xldate:27150.0:yyyy-mm-dd\n1,4:xldate:37653.586909722224:yyyy-mm-dd hh:mm:ss\n1,5:bool:1:General\n"
              "2,0:number:-2.0:#,###,##0\n2,1:text:'Łucja 東京':General\n2,2:number:-0.25:#,##0.00 \"€\"\n"
              "2,3:xldate:36585.0:yyyy-mm-dd\n2,4:xldate:61.0:yyyy-mm-dd hh:mm:ss\n2,5:bool:0:General\n"
              "3,0:number:0.0:#,###,##0\n3,2:number:0.0:#,##0.00 \"€\"\n3,3:xldate:0.0:yyyy-mm-dd\n"
              "3,4:xldate:0.0:yyyy-mm-dd hh:mm:ss\n3,5:bool:0:General\n"
              "style 0: Arial weight=400 italic=0 colour=8 size=10 | borders 0/0/0/0 colours 0/0 | fill 0 9 | align 0/2 wrap 0\n"
              "style 1: Courier New weight=700 italic=1 colour=10 size=12 | borders 1/0/0/6 colours 12/17 | fill 1 13 | "
              "align 2/0 wrap 1\n"
              "style 2: Arial weight=400 italic=0 colour=8 size=10 | borders 0/0/0/0 colours 0/0 | fill 0 9 | align 0/2 wrap 0\n"
              "style 3: Arial weight=400 italic=0 colour=8 size=10 | borders 0/0/0/0 colours 0/0 | fill 0 9 | align 0/2 wrap 0\n"
              "style 4: Arial weight=400 italic=0 colour=8 size=10 | borders 0/0/0/0 colours 0/0 | fill 0 9 | align 0/2 wrap 0\n"
              "style 5: Arial weight=400 italic=0 colour=8 size=10 | borders 0/0/0/0 colours 0/0 | fill 0 64 | align 0/2 wrap 0\n");
    // Captions are bold.
    EXPECT_EQ(RunPython(dir,
                        "import sys, xlrd\nb = xlrd.open_workbook(sys.argv[1], formatting_info=True)\n"
                        "print(b.font_list[b.xf_list[b.sheet_by_index(0).cell(0, 0).xf_index].font_index].weight)\n",
                        ShellQuote(dir.File("t.xls"))),
              "700\n");
}

// ---- the texts that spreadsheets show for the cells, against the engine's own texts

using TCells = std::vector<std::vector<std::string>>;

// The text each reader shows for every cell of a workbook.
struct TShownTexts {
    TCells LibreOffice, Gnumeric;
};

// Converts workbooks with both readers: LibreOffice into CSV with the cells' texts as shown
// (filter option 9), in one run for all files; Gnumeric into text with the formats preserved.
// Gnumeric writes the minus it puts before a negative number (a pattern with one section) as
// U+2212 MINUS SIGN, in the exponent too; it is read as "-" here. A minus the format writes as
// a literal stays "-" in Gnumeric as well.
std::vector<TShownTexts> ShownTexts(const TTempDir& dir, const std::vector<std::string>& files) {
    std::string quoted;
    for (const std::string& f : files) quoted += " " + ShellQuote(f);
    const TCommandResult lo = RunCommand(
        "soffice --headless -env:UserInstallation=file://" + dir.File("lo-profile") + " --convert-to " +
        ShellQuote("csv:Text - txt - csv (StarCalc):44,34,76,1,,0,false,true,true") + " --outdir " +
        ShellQuote(dir.File("lo-shown")) + quoted);
    EXPECT_EQ(lo.ExitCode, 0) << lo.Output;
    std::vector<TShownTexts> out;
    for (const std::string& f : files) {
        std::string base = f.substr(f.rfind('/') + 1);
        base = base.substr(0, base.rfind('.'));
        TShownTexts t;
        t.LibreOffice = ParseCsv(ReadAll(dir.File("lo-shown/" + base + ".csv")));
        const std::string gnumericFile = dir.File(base + ".gnumeric.csv");
        const TCommandResult gn = RunCommand(
            "ssconvert -T Gnumeric_stf:stf_assistant -O " +
            ShellQuote("format=preserve separator=, quoting-mode=always eol=unix charset=UTF-8") + " " +
            ShellQuote(f) + " " + ShellQuote(gnumericFile));
        EXPECT_EQ(gn.ExitCode, 0) << gn.Output;
        std::string text = ReadAll(gnumericFile);
        for (size_t at; (at = text.find("\xE2\x88\x92")) != std::string::npos;) text.replace(at, 3, "-");
        t.Gnumeric = ParseCsv(text);
        out.push_back(std::move(t));
    }
    return out;
}

// The engine's own texts: the CSV exporter's cells for the same rows and patterns.
TCells EngineTexts(const TTempDir& dir, TMemDataset& ds, const std::vector<std::string>& userFormats) {
    TIB_OstrelASCII csv;
    csv.SetExportType(etCSV);
    csv.SetCSVComma(',');
    csv.SetAllowCaptions(false);
    csv.SetDataSet(&ds);
    csv.SetFileName(dir.File("engine.csv"));
    for (const std::string& line : userFormats) csv.UserFormats().Add(line);
    csv.DoExecute();
    return ParseCsv(ReadAll(dir.File("engine.csv")));
}

std::string WorkbookOf(const TTempDir& dir, TMemDataset& ds, const std::vector<std::string>& userFormats,
                       const std::string& name) {
    TIB_OstrelXLS e;
    e.SetAllowCaptions(false);
    e.SetDataSet(&ds);
    e.SetFileName(dir.File(name));
    for (const std::string& line : userFormats) e.UserFormats().Add(line);
    e.DoExecute();
    return dir.File(name);
}

std::string Cell(const TCells& cells, size_t row, size_t col) {
    return row < cells.size() && col < cells[row].size() ? cells[row][col] : "<none>";
}

// Rows of the sample database (Afghanistan, Albania, Algeria, China), with its column types,
// a time of day beside them, and one row of negative, fractional and edge values.
void FillCountries(TMemDataset& ds) {
    ds.AddField("ID", TMemFieldType::Integer);
    ds.AddField("NAME", TMemFieldType::String, 60);
    ds.AddField("AREA", TMemFieldType::Float);
    ds.AddField("POPULATION", TMemFieldType::BigInt);
    ds.AddField("GDP_PER_CAPITA", TMemFieldType::Currency);
    ds.AddField("UN_MEMBER_SINCE", TMemFieldType::Date);
    ds.AddField("UPDATED_AT", TMemFieldType::DateTime);
    ds.AddField("LOCAL_TIME", TMemFieldType::Time);
    ds.AddField("LANDLOCKED", TMemFieldType::Boolean);
    auto at = [](int y, int mo, int d, int h, int mi, int s) { return EncodeDate(y, mo, d) + EncodeTime(h, mi, s, 0); };
    ds.AppendRow({int64_t{1}, "Afghanistan", 652230.0, int64_t{41128771}, 363.0, EncodeDate(1946, 11, 19),
                  at(2024, 7, 2, 15, 13, 0), EncodeTime(15, 13, 0, 0), true});
    ds.AppendRow({int64_t{2}, "Shqipëria", 28748.0, int64_t{2775634}, 6810.0, EncodeDate(1955, 12, 14),
                  at(2024, 7, 3, 12, 26, 0), EncodeTime(0, 0, 0, 0), false});
    ds.AppendRow({int64_t{3}, "الجزائر", 2381741.0, int64_t{44903225}, 4274.0, EncodeDate(1962, 10, 8),
                  at(2024, 7, 4, 9, 39, 0), EncodeTime(9, 39, 5, 0), false});
    ds.AppendRow({int64_t{36}, "中国", 9596961.0, int64_t{1412175000}, 12720.0, EncodeDate(1945, 10, 24),
                  at(2024, 7, 9, 0, 0, 0), EncodeTime(12, 0, 0, 0), false});
    ds.AppendRow({int64_t{-5}, "edge", -0.75, int64_t{0}, 1234.5, EncodeDate(2000, 2, 29), at(1999, 12, 31, 23, 59, 59),
                  EncodeTime(23, 59, 59, 0), true});
    ds.Open();
}

// Every typed column with the default patterns: what LibreOffice and Gnumeric show is the
// engine's text. Boolean cells are the workbook's Booleans, which take no number format: each
// reader shows its own words (LibreOffice's CSV 1 and 0, Gnumeric TRUE and FALSE) where the
// engine writes the source's text.
TEST(XlsReaders, TypedColumnsShowTheEngineTexts) {
    REQUIRE_READER("soffice");
    REQUIRE_READER("ssconvert");
    TFormatSettingsScope us(UsSettings());
    TTempDir dir;
    TMemDataset ds;
    FillCountries(ds);
    const TCells engine = EngineTexts(dir, ds, {});
    const TShownTexts shown = ShownTexts(dir, {WorkbookOf(dir, ds, {}, "countries.xls")})[0];
    ASSERT_EQ(engine.size(), 5u);
    EXPECT_EQ(engine[0], (std::vector<std::string>{"1", "Afghanistan", "652,230.00", "41,128,771", "363.00$", "11/19/1946",
                                                   "7/2/2024 3:13 PM", "3:13 PM", "True", ""}));
    for (size_t row = 0; row < engine.size(); ++row) {
        for (size_t col = 0; col < 9; ++col) {
            SCOPED_TRACE("row " + std::to_string(row) + ", column " + std::to_string(col));
            const std::string want = engine[row][col];
            if (col == 8) {
                EXPECT_EQ(Cell(shown.LibreOffice, row, col), want == "True" ? "1" : "0");
                EXPECT_EQ(Cell(shown.Gnumeric, row, col), want == "True" ? "TRUE" : "FALSE");
                continue;
            }
            EXPECT_EQ(Cell(shown.LibreOffice, row, col), want);
            EXPECT_EQ(Cell(shown.Gnumeric, row, col), want);
        }
    }
}

// A pattern of the engine, with what each reader shows where it cannot show the engine's text
// (row by row; empty: the engine's texts in every row).
struct TPatternCase {
    TMemFieldType Type;
    const char* Pattern;
    std::vector<std::string> LibreOffice = {}, Gnumeric = {};
};

// Each element of the engine's pattern languages, in a column of its own over four values: the
// texts LibreOffice and Gnumeric show are the engine's (the CSV exporter's) unless the case says
// otherwise, and xlrd reads the codes that were written.
TEST(XlsReaders, EveryPatternElementShowsAsTheEngineWritesIt) {
    REQUIRE_READER("soffice");
    REQUIRE_READER("ssconvert");
    REQUIRE_READER("/usr/bin/python3");
    TFormatSettingsScope us(UsSettings());
    TTempDir dir;
    using T = TMemFieldType;
    const std::vector<TPatternCase> cases = {
        // Number patterns over 1234567.891, -1234.5, 0 and 0.25.
        {T::Float, "0"},
        // Gnumeric shows a zero for a lone # where the others show nothing.
        {T::Float, "#", {}, {"1234568", "-1235", "0", "0"}},
        {T::Float, "0#"},
        {T::Float, "#,###,##0"},
        {T::Float, "#,###,##0.00"},
        {T::Float, "0.000"},
        {T::Float, "0.0#"},
        // Gnumeric keeps the point when no decimal follows.
        {T::Float, "0.##", {}, {"1234567.89", "-1234.5", "0.", "0.25"}},
        {T::Float, "#.##", {}, {"1234567.89", "-1234.5", ".", ".25"}},
        {T::Float, ".00"},
        {T::Float, "0,"},
        {T::Float, "#,##0,.00"},
        {T::Float, "00.00$"},
        {T::Float, "#,##0.00 \"€\""},
        {T::Float, "0 'kg'"},
        {T::Float, "0 kg"},
        // The engine shows the integer digits of a section without placeholders: "x"# (Gnumeric's
        // # shows a zero).
        {T::Float, "\"x\"", {}, {"x1234568", "-x1235", "x0", "x0"}},
        {T::Float, "0/0"},
        {T::Float, "0.00E+00"},
        {T::Float, "0.0E-0"},
        {T::Float, ".00E+00"},
        {T::Float, "0E+"},
        // Gnumeric reads no lower-case exponent: an empty cell.
        {T::Float, "0.00e+00", {}, {"", "", "", ""}},
        // The engine fills every integer placeholder of a scientific form; the codes read three
        // of them as engineering notation, and no code says "three integer digits".
        {T::Float, "##0.0E+0", {"1.2E+6", "-1.2E+3", "0.0E+0", "250.0E-3"}, {"1.2E+6", "-1.2E+3", "0.0E+0", "250.0E-3"}},
        {T::Float, "0.00;(0.00)"},
        {T::Float, "0.00;;\"zero\""},
        // The engine takes the zero section for 0.25, which rounds to zero; the codes only for 0.
        {T::Float, "0;\"neg\";\"zero\"", {"1234568", "neg1235", "zero", "0"}, {"1234568", "neg1235", "zero", "0"}},
        // An empty first section is the general form, General; Gnumeric's General shows as many
        // digits as the column's width holds.
        {T::Float, ";(0.00)", {}, {"1234568", "(1234.50)", "0", "0.25"}},
        // Date-time patterns over 2024-07-02 15:13:07, 2024-07-02 09:05:00, 1999-12-31 0:00 and
        // 2024-11-09 23:59:59.
        {T::DateTime, "d dd ddd dddd"},
        {T::DateTime, "ddddd"},
        {T::DateTime, "dddddd"},
        {T::DateTime, "m mm mmm mmmm mmmmm"},
        {T::DateTime, "y yy yyy yyyy"},
        {T::DateTime, "h hh"},
        {T::DateTime, "hh:m"},
        // A minute code that neither follows an hour nor precedes seconds is the month's.
        {T::DateTime, "n nn", {"7 07", "7 07", "12 12", "11 11"}, {"7 07", "7 07", "12 12", "11 11"}},
        {T::DateTime, "s ss"},
        {T::DateTime, "hh:nn:ss.zzz"},
        {T::DateTime, "hh:nn:ss.z"},
        {T::DateTime, "hh:nn:ss:zzz"},
        {T::DateTime, "t"},
        {T::DateTime, "tt"},
        // The engine leaves the time out at midnight; a code cannot.
        {T::DateTime, "c", {"7/2/2024 3:13:07 PM", "7/2/2024 9:05:00 AM", "12/31/1999 12:00:00 AM", "11/9/2024 11:59:59 PM"},
         {"7/2/2024 3:13:07 PM", "7/2/2024 9:05:00 AM", "12/31/1999 12:00:00 AM", "11/9/2024 11:59:59 PM"}},
        {T::DateTime, "h:nn ampm"},
        {T::DateTime, "h:nn AMPM"},
        {T::DateTime, "h:nn AM/PM"},
        // Both readers show am/pm in capitals, and LibreOffice shows A/P in small letters.
        {T::DateTime, "h:nn am/pm", {"3:13 PM", "9:05 AM", "12:00 AM", "11:59 PM"}, {"3:13 PM", "9:05 AM", "12:00 AM", "11:59 PM"}},
        {T::DateTime, "h:nn a/p"},
        {T::DateTime, "h:nn A/P", {"3:13 p", "9:05 a", "12:00 a", "11:59 p"}},
        {T::DateTime, "dd/mm/yyyy hh:nn:ss"},
        {T::DateTime, "'at' h \"o'clock\""},
        {T::DateTime, "yyyy-mm-dd\"T\"hh:nn:ss"},
        {T::DateTime, "d x m"},
        {T::DateTime, "dd.mm.yy, hh|nn"},
        {T::DateTime, "m/d/yyyy h:mm AM/PM"},
        // Dates and times of day.
        {T::Date, "c"},
        {T::Date, "ddddd"},
        {T::Time, "tt"},
        {T::Time, "hh:nn:ss"},
    };
    TMemDataset ds;
    std::vector<std::string> userFormats;
    for (size_t i = 0; i < cases.size(); ++i) {
        const std::string name = "P" + std::to_string(i);
        ds.AddField(name, cases[i].Type);
        userFormats.push_back(name + "=" + cases[i].Pattern);
    }
    const double numbers[] = {1234567.891, -1234.5, 0, 0.25};
    const TDateTime moments[] = {EncodeDate(2024, 7, 2) + EncodeTime(15, 13, 7, 0), EncodeDate(2024, 7, 2) + EncodeTime(9, 5, 0, 0),
                                 EncodeDate(1999, 12, 31), EncodeDate(2024, 11, 9) + EncodeTime(23, 59, 59, 0)};
    const TDateTime days[] = {EncodeDate(2024, 7, 2), EncodeDate(1946, 11, 19), EncodeDate(2000, 2, 29), EncodeDate(1999, 12, 31)};
    const TDateTime times[] = {EncodeTime(15, 13, 7, 0), EncodeTime(9, 5, 0, 0), 0, EncodeTime(23, 59, 59, 0)};
    for (int row = 0; row < 4; ++row) {
        std::vector<TMemValue> values;
        for (const TPatternCase& c : cases)
            values.push_back(c.Type == T::Float ? numbers[row] : c.Type == T::Date ? days[row] : c.Type == T::Time ? times[row] : moments[row]);
        ds.AppendRow(values);
    }
    ds.Open();

    const TCells engine = EngineTexts(dir, ds, userFormats);
    const std::string workbook = WorkbookOf(dir, ds, userFormats, "patterns.xls");
    const TShownTexts shown = ShownTexts(dir, {workbook})[0];
    ASSERT_EQ(engine.size(), 4u);
    std::string report;
    for (size_t i = 0; i < cases.size(); ++i) {
        const TPatternCase& c = cases[i];
        for (size_t row = 0; row < 4; ++row) {
            const std::string want = engine[row][i];
            const std::string lo = c.LibreOffice.empty() ? want : c.LibreOffice[row];
            const std::string gn = c.Gnumeric.empty() ? want : c.Gnumeric[row];
            if (Cell(shown.LibreOffice, row, i) != lo || Cell(shown.Gnumeric, row, i) != gn)
                report += std::string(c.Pattern) + " row " + std::to_string(row) + ": engine [" + want + "] LibreOffice [" +
                          Cell(shown.LibreOffice, row, i) + "] Gnumeric [" + Cell(shown.Gnumeric, row, i) + "]\n";
        }
    }
    EXPECT_EQ(report, "");

    // xlrd reads the codes written, dates as dates.
    std::string want;
    for (const TPatternCase& c : cases) {
        const TXlsValueKind kind = c.Type == T::Float ? TXlsValueKind::Number
                                   : c.Type == T::Date ? TXlsValueKind::Date : TXlsValueKind::DateTime;
        want += std::string(c.Type == T::Float ? "number" : "xldate") + " " + XlsNumberFormat(c.Pattern, kind) + "\n";
    }
    const char* dump = R"(import sys, xlrd
b = xlrd.open_workbook(sys.argv[1], formatting_info=True)
s = b.sheet_by_index(0)
for c in range(s.ncols):
    cell = s.cell(0, c)
    sys.stdout.buffer.write(('%s %s\n' % (xlrd.sheet.ctype_text[cell.ctype], b.format_map[b.xf_list[cell.xf_index].format_key].format_str)).encode('utf-8'))
)";
    EXPECT_EQ(RunPython(dir, dump, ShellQuote(workbook)), want);
}

// The locale's separators and patterns: day-month-year with a point between hours, minutes
// and seconds, as the settings of the moment give them.
TEST(XlsReaders, TheLocalesSeparatorsShowAsTheEngineWritesThem) {
    REQUIRE_READER("soffice");
    REQUIRE_READER("ssconvert");
    TFormatSettings settings = PointDmySettings();
    settings.DateSeparator = '-';
    settings.TimeSeparator = '.';
    TFormatSettingsScope dotted(settings);
    TTempDir dir;
    const std::vector<std::string> patterns = {"c", "ddddd", "t", "tt", "dd/mm/yyyy hh:nn:ss", "hh:nn:ss:zzz", "d/m/yy"};
    TMemDataset ds;
    std::vector<std::string> userFormats;
    for (size_t i = 0; i < patterns.size(); ++i) {
        ds.AddField("P" + std::to_string(i), TMemFieldType::DateTime);
        userFormats.push_back("P" + std::to_string(i) + "=" + patterns[i]);
    }
    ds.AddField("D", TMemFieldType::Date);      // the default patterns
    ds.AddField("T", TMemFieldType::Time);
    ds.AddField("S", TMemFieldType::DateTime);
    const TDateTime moment = EncodeDate(2024, 7, 2) + EncodeTime(15, 13, 7, 0);
    ds.AppendRow({moment, moment, moment, moment, moment, moment, moment, EncodeDate(1946, 11, 19),
                  EncodeTime(9, 5, 0, 0), moment});
    ds.Open();
    const TCells engine = EngineTexts(dir, ds, userFormats);
    const TShownTexts shown = ShownTexts(dir, {WorkbookOf(dir, ds, userFormats, "dotted.xls")})[0];
    ASSERT_EQ(engine.size(), 1u);
    EXPECT_EQ(engine[0], (std::vector<std::string>{"02-07-2024 15.13.07", "02-07-2024", "15.13", "15.13.07",
                                                   "02-07-2024 15.13.07", "15.13.07.000", "2-7-24", "19-11-1946",
                                                   "09.05", "02-07-2024 15.13", ""}));
    for (size_t col = 0; col < 10; ++col) {
        EXPECT_EQ(Cell(shown.LibreOffice, 0, col), engine[0][col]) << col;
        EXPECT_EQ(Cell(shown.Gnumeric, 0, col), engine[0][col]) << col;
    }
}

// The sample database through ostrel-export, both beside this program in the build: every
// typed column of every country shows in the workbook as in the CSV file. Two things are no
// matter of formats: a NULL is the number 0 in a workbook (NullString is empty), shown through
// the column's format where the CSV file has nothing; and Booleans show each reader's words.
TEST(XlsReaders, TheSampleDatabaseShowsAsItsCsvFile) {
    REQUIRE_READER("soffice");
    REQUIRE_READER("ssconvert");
    const std::filesystem::path bin = std::filesystem::read_symlink("/proc/self/exe").parent_path();
    const std::string program = (bin / "ostrel-export").string(), database = (bin / "country.gdb").string();
    ASSERT_TRUE(std::filesystem::exists(program) && std::filesystem::exists(database))
        << "build the targets ostrel-export and sample_db first";
    TTempDir dir;
    std::filesystem::copy_file(database, dir.File("country.gdb"));  // the embedded engine locks a file to one process
    const std::string args = "--database " + ShellQuote(dir.File("country.gdb")) + " --password tallowfin --sql " +
                             ShellQuote("select id, name, area, population, gdp_per_capita, un_member_since, updated_at, "
                                        "landlocked from country order by id") + " -q ";
    for (const char* file : {"country.xls", "country.csv"}) {
        const TCommandResult r = RunCommand("LC_ALL=C " + ShellQuote(program) + " " + args + ShellQuote(dir.File(file)) + " </dev/null");
        ASSERT_EQ(r.ExitCode, 0) << r.Output;
    }
    const TCells engine = ParseCsv(ReadAll(dir.File("country.csv")));
    const TShownTexts shown = ShownTexts(dir, {dir.File("country.xls")})[0];
    ASSERT_EQ(engine.size(), 198u);
    EXPECT_EQ(engine[1], (std::vector<std::string>{"1", "Afghanistan", "652,230.00", "41,128,771", "363.00$", "11/19/1946",
                                                   "7/2/2024 3:13 PM", "True", ""}));
    int nulls = 0;
    for (size_t row = 0; row < engine.size(); ++row) {
        for (size_t col = 0; col < 8; ++col) {
            SCOPED_TRACE("row " + std::to_string(row) + ", column " + std::to_string(col));
            std::string lo = engine[row][col], gn = lo;
            if (row > 0 && col == 7) {
                lo = lo == "True" ? "1" : "0";
                gn = gn == "True" ? "TRUE" : "FALSE";
            } else if (row > 0 && lo.empty()) {
                ++nulls;
                lo = gn = col == 4 ? "00.00$" : col == 5 ? "12/30/1899" : "<a NULL here>";
                if (col == 5) gn = "12/31/1899";  // Gnumeric counts serial 0 as the day before
            }
            EXPECT_EQ(Cell(shown.LibreOffice, row, col), lo);
            EXPECT_EQ(Cell(shown.Gnumeric, row, col), gn);
        }
    }
    EXPECT_EQ(nulls, 5);
}

TEST(XlsReaders, LibreOfficeComputesTheAggregates) {
    REQUIRE_READER("soffice");
    TFormatSettingsScope us(UsSettings());
    TTempDir dir;
    TMemDataset ds;
    ds.AddField("K", TMemFieldType::String, 5);
    for (const char* f : {"S", "A", "L", "H"}) ds.AddField(f, TMemFieldType::Float);
    const double values[] = {4, -1.5, 10, 2.25};
    for (double v : values) ds.AppendRow({std::string("k"), v, v, v, v});
    ds.Open();
    TIB_OstrelXLS e;
    e.SetDataSet(&ds);
    e.SetFileName(dir.File("agg.xls"));
    e.Formats().SetFloatFormat("0.00");
    e.Header().Add("Aggregates");
    const std::pair<const char*, TxlsAggregate> aggregates[] = {{"S", aggSum}, {"A", aggAvg}, {"L", aggMin}, {"H", aggMax}};
    for (auto [field, aggregate] : aggregates) {
        TxlsFieldFormat* f = e.FieldFormats().Add();
        f->FieldName = field;
        f->Aggregate = aggregate;
    }
    e.DoExecute();
    const auto cells = LibreOfficeCells(dir, dir.File("agg.xls"), "");
    ASSERT_EQ(cells.size(), 7u);
    EXPECT_EQ(cells[0][0], "Aggregates");
    EXPECT_EQ(cells[2][1], "4.00");
    EXPECT_EQ(cells[6], (std::vector<std::string>{"", "14.75", "3.69", "-1.50", "10.00"}));
}

// Runs the exporter on `rows` rows of long, distinct texts and checks what both readers see.
TEST(XlsReaders, ManyLongTextsAndAFullSheetReadBackCompletely) {
    REQUIRE_READER("/usr/bin/python3");
    REQUIRE_READER("soffice");
    TTempDir dir;
    TMemDataset ds;
    ds.AddField("T", TMemFieldType::String, 10000);
    std::ofstream expected(dir.File("expected.txt"));
    for (int i = 0; i < 20000; ++i) {
        // 100 to 2,000 characters; every 500th text is longer than a record.
        const int length = i % 500 == 7 ? 9000 + i / 100 : 100 + (i * 37) % 1900;
        std::string text = "#" + std::to_string(i) + " ";
        while (CharLength(text) < static_cast<size_t>(length)) text += i % 3 == 0 ? "Łódź 東京 😀" : "abcdefghij";
        ds.AppendRow({text});
        expected << text << "\n";
    }
    expected.close();
    ds.Open();
    TIB_OstrelXLS e;
    e.SetDataSet(&ds);
    e.SetAllowCaptions(false);
    e.SetFileName(dir.File("texts.xls"));
    e.DoExecute();
    const std::string check = R"(import sys, xlrd
s = xlrd.open_workbook(sys.argv[1]).sheet_by_index(0)
want = open(sys.argv[2], encoding='utf-8').read().split('\n')[:-1]
got = [s.cell_value(r, 0) for r in range(s.nrows)]
print(s.nrows, got == want, max(len(t) for t in got) > 9000)
)";
    EXPECT_EQ(RunPython(dir, check, ShellQuote(dir.File("texts.xls")) + " " + ShellQuote(dir.File("expected.txt"))),
              "20000 True True\n");
    const auto cells = LibreOfficeCells(dir, dir.File("texts.xls"), "");
    ASSERT_EQ(cells.size(), 20000u);
    EXPECT_EQ(cells[19999][0].substr(0, 7), "#19999 ");
    EXPECT_GE(CharLength(cells[7][0]), 9000u);

    // 65,536 rows: the whole sheet.
    TMemDataset full;
    FillNumbered(full, TIB_OstrelXLS::kMaxRows);
    e.SetDataSet(&full);
    e.SetFileName(dir.File("full.xls"));
    e.DoExecute();
    EXPECT_EQ(e.RowsLeftOut(), 0);
    const std::string last = R"(import sys, xlrd
s = xlrd.open_workbook(sys.argv[1]).sheet_by_index(0)
print(s.nrows, s.row_values(0), s.row_values(s.nrows - 1))
)";
    EXPECT_EQ(RunPython(dir, last, ShellQuote(dir.File("full.xls"))),
              "65536 [1.0, 'row 1'] [65536.0, 'row 65536']\n");
    const auto fullCells = LibreOfficeCells(dir, dir.File("full.xls"), "");
    ASSERT_EQ(fullCells.size(), 65536u);
    EXPECT_EQ(fullCells.back(), (std::vector<std::string>{"65,536", "row 65536"}));
}

TEST(XlsReaders, StoppedRunsLeaveReadableWorkbooksAndFailedRunsReplaceNone) {
    REQUIRE_READER("/usr/bin/python3");
    REQUIRE_READER("soffice");
    TTempDir dir;
    TMemDataset ds;
    FillNumbered(ds, 20);
    const std::string count = R"(import sys, xlrd
s = xlrd.open_workbook(sys.argv[1]).sheet_by_index(0)
print(s.nrows, s.row_values(s.nrows - 1))
)";
    {
        TIB_OstrelXLS e;
        e.SetDataSet(&ds);
        e.SetFileName(dir.File("stopped.xls"));
        e.OnExportedRecord = [&](TObject*, int n) {
            if (n == 5) e.Abort();
        };
        e.DoExecute();
        EXPECT_TRUE(e.Aborted());
        EXPECT_EQ(RunPython(dir, count, ShellQuote(dir.File("stopped.xls"))), "6 [5.0, 'row 5']\n");
        EXPECT_EQ(LibreOfficeCells(dir, dir.File("stopped.xls"), "").size(), 6u);
    }
    {
        TIB_OstrelXLS e;
        e.SetDataSet(&ds);
        e.SetFileName(dir.File("failed.xls"));
        e.OnGetExportText = [&](TObject*, int col, std::string& text) {
            if (col == 0 && e.RecordCounter() == 6) text = "not a number";
        };
        // A failed run replaces nothing: the workbook that was there stays readable as it was.
        std::filesystem::copy_file(dir.File("stopped.xls"), dir.File("failed.xls"));
        EXPECT_THROW(e.DoExecute(), EConvertError);
        EXPECT_EQ(RunPython(dir, count, ShellQuote(dir.File("failed.xls"))), "6 [5.0, 'row 5']\n");
        for (const auto& f : std::filesystem::directory_iterator(dir.File("")))
            EXPECT_FALSE(f.path().string().ends_with(".part")) << f.path();
    }
}

}  // namespace
}  // namespace ostrel::test
