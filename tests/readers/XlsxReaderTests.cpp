// XLSX workbooks read back by python3-openpyxl and LibreOffice (and, through LibreOffice's own
// XLS copy, by python3-xlrd): values, types, number formats, styles, computed aggregates, texts
// of every kind and a full worksheet.
#include "ReaderSupport.h"
#include "StyledSheet.h"
#include "exporters/sheet/IB_OstrelXLSX.h"

namespace ostrel::test {
namespace {

// openpyxl leaves the _xHHHH_ escapes of string cells as they are; decoding them is the
// reader's part (ECMA-376 Part 1, 22.9.2.19).
const char* kUnescape = R"(import re
def unescape(v):
    return re.sub('_x([0-9A-Fa-f]{4})_', lambda m: chr(int(m.group(1), 16)), v) if isinstance(v, str) else v
)";

// Every cell as row,col:type:value:format, then the styles of row 2.
const char* kOpenpyxlDump = R"(import sys, openpyxl
b = openpyxl.load_workbook(sys.argv[1])
s = b.worksheets[0]
print(len(b.worksheets), s.title, s.max_row, s.max_column)
for row in s.iter_rows():
    for c in row:
        if c.value is None: continue
        print('%d,%d:%s:%r:%s' % (c.row - 1, c.column - 1, c.data_type, unescape(c.value), c.number_format))
for c in s[2]:
    f, b, a = c.font, c.border, c.alignment
    print('style %d: %s bold=%s italic=%s colour=%s size=%s | borders %s/%s/%s/%s colours %s/%s | fill %s %s | align %s/%s wrap %s'
          % (c.column - 1, f.name, f.b, f.i, f.color.rgb if f.color else None, f.sz, b.left.style, b.right.style,
             b.top.style, b.bottom.style, b.left.color.rgb if b.left.color else None,
             b.bottom.color.rgb if b.bottom.color else None, c.fill.fill_type, c.fill.fgColor.rgb,
             a.horizontal, a.vertical, a.wrap_text))
)";

TEST(XlsxReaders, OpenpyxlReadsValuesTypesFormatsAndStyles) {
    REQUIRE_READER("/usr/bin/python3");
    TFormatSettingsScope us(UsSettings());
    TTempDir dir;
    TMemDataset ds;
    FillStyled(ds);
    TIB_OstrelXLSX e;
    e.SetDataSet(&ds);
    e.SetFileName(dir.File("t.xlsx"));
    StyleName(e);
    e.DoExecute();

    const std::string out = RunPython(dir, std::string(kUnescape) + kOpenpyxlDump, ShellQuote(dir.File("t.xlsx")));
    EXPECT_EQ(out,
              "1 Größen 4 6\n"
              "0,0:s:'ID':General\n0,1:s:'Name':General\n0,2:s:'Salary':General\n"
              "0,3:s:'Born':General\n0,4:s:'Seen':General\n0,5:s:'Active':General\n"
              "1,0:n:1:#,###,##0\n1,1:s:'Jürgen Ångström':General\n1,2:n:1234.5:#,##0.00 \"€\"\n"
              "1,3:d:datetime.datetime(1974, 5, 1, 0, 0):yyyy-mm-dd\n"
              "1,4:d:datetime.datetime(2003, 2, 1, 14, 5, 9):yyyy-mm-dd hh:mm:ss\n1,5:b:True:General\n"
              "2,0:n:-2:#,###,##0\n2,1:s:'Łucja 東京':General\n2,2:n:-0.25:#,##0.00 \"€\"\n"
              "2,3:d:datetime.datetime(2000, 2, 29, 0, 0):yyyy-mm-dd\n"
              "2,4:d:datetime.datetime(1900, 3, 1, 0, 0):yyyy-mm-dd hh:mm:ss\n2,5:b:False:General\n"
              "style 0: Arial bold=False italic=False colour=FF000000 size=10.0 | borders None/None/None/None colours None/None"
              " | fill None 00000000 | align None/None wrap None\n"
              "style 1: Courier New bold=True italic=True colour=FFFF0000 size=12.0 | borders thin/None/None/double colours"
              " FF0000FF/FF008000 | fill solid FFFFFF00 | align center/top wrap True\n"
              "style 2: Arial bold=False italic=False colour=FF000000 size=10.0 | borders None/None/None/None colours None/None"
              " | fill None 00000000 | align None/None wrap None\n"
              "style 3: Arial bold=False italic=False colour=FF000000 size=10.0 | borders None/None/None/None colours None/None"
              " | fill None 00000000 | align None/None wrap None\n"
              "style 4: Arial bold=False italic=False colour=FF000000 size=10.0 | borders None/None/None/None colours None/None"
              " | fill None 00000000 | align None/None wrap None\n"
              "style 5: Arial bold=False italic=False colour=FF000000 size=10.0 | borders None/None/None/None colours None/None"
              " | fill None 00000000 | align None/None wrap None\n");
    // The page header, the captions' bold font, and blank cells for the NULLs of row 3.
    EXPECT_EQ(RunPython(dir,
                        "import sys, openpyxl\ns = openpyxl.load_workbook(sys.argv[1]).worksheets[0]\n"
                        "print(s.oddHeader.center.text, s['A1'].font.b, [c.value for c in s[4]], s['A4'].number_format)\n",
                        ShellQuote(dir.File("t.xlsx"))),
              "Übersicht True [None, None, None, None, None, None] #,###,##0\n");
}

// LibreOffice reads the same styles and types: its own XLS copy of the workbook, read by xlrd.
TEST(XlsxReaders, LibreOfficeReadsTheStylesAndTypes) {
    REQUIRE_READER("soffice");
    REQUIRE_READER("/usr/bin/python3");
    TFormatSettingsScope us(UsSettings());
    TTempDir dir;
    TMemDataset ds;
    FillStyled(ds);
    TIB_OstrelXLSX e;
    e.SetDataSet(&ds);
    e.SetFileName(dir.File("t.xlsx"));
    StyleName(e);
    e.DoExecute();
    const TCommandResult lo = RunCommand("soffice --headless -env:UserInstallation=file://" + dir.File("lo-profile") +
                                         " --convert-to xls --outdir " + ShellQuote(dir.File("lo")) + " " +
                                         ShellQuote(dir.File("t.xlsx")));
    ASSERT_EQ(lo.ExitCode, 0) << lo.Output;
    const char* dump = R"(import sys, xlrd
b = xlrd.open_workbook(sys.argv[1], formatting_info=True)
s = b.sheet_by_index(0)
print(s.name, s.nrows, s.ncols)
for r in range(1, s.nrows):
    print(' '.join(xlrd.sheet.ctype_text[s.cell(r, c).ctype] for c in range(s.ncols)))
for c in range(2):
    xf = b.xf_list[s.cell(1, c).xf_index]
    f = b.font_list[xf.font_index]
    bd = xf.border
    print('style %d: %s weight=%d italic=%d colour=%d size=%d | borders %d/%d/%d/%d colours %d/%d | fill %d %d | align %d/%d wrap %d'
          % (c, f.name, f.weight, f.italic, f.colour_index, f.height // 20, bd.left_line_style, bd.right_line_style,
             bd.top_line_style, bd.bottom_line_style, bd.left_colour_index, bd.bottom_colour_index,
             xf.background.fill_pattern, xf.background.pattern_colour_index,
             xf.alignment.hor_align, xf.alignment.vert_align, xf.alignment.text_wrapped))
)";
    EXPECT_EQ(RunPython(dir, dump, ShellQuote(dir.File("lo/t.xls"))),
              "Größen 4 6\n"
              "number text number xldate xldate bool\n"
              "number text number xldate xldate bool\n"
              "blank empty blank blank blank blank\n"  // blanks with the columns' styles
              "style 0: Arial weight=400 italic=0 colour=8 size=10 | borders 0/0/0/0 colours 0/0 | fill 0 64 | align 0/2 wrap 0\n"
              "style 1: Courier New weight=700 italic=1 colour=10 size=12 | borders 1/0/0/6 colours 12/17 | fill 1 13 | "
              "align 2/0 wrap 1\n");
}

using TCells = std::vector<std::vector<std::string>>;

std::string At(const TCells& cells, size_t row, size_t col) {
    return row < cells.size() && col < cells[row].size() ? cells[row][col] : "<none>";
}

// The sample database through ostrel-export: LibreOffice shows every cell of every country as
// the CSV file has it (a NULL is an empty cell in both; Booleans are LibreOffice's words), and
// openpyxl reads the same values with their types and number formats.
TEST(XlsxReaders, TheSampleDatabaseReadsAsItsCsvFile) {
    REQUIRE_READER("soffice");
    REQUIRE_READER("/usr/bin/python3");
    const std::filesystem::path bin = std::filesystem::read_symlink("/proc/self/exe").parent_path();
    const std::string program = (bin / "ostrel-export").string(), database = (bin / "country.gdb").string();
    ASSERT_TRUE(std::filesystem::exists(program) && std::filesystem::exists(database))
        << "build the targets ostrel-export and sample_db first";
    TTempDir dir;
    std::filesystem::copy_file(database, dir.File("country.gdb"));  // the embedded engine locks a file to one process
    const std::string args = "--database " + ShellQuote(dir.File("country.gdb")) +
                             " --password tallowfin --sql 'select * from country order by id' -q ";
    for (const char* file : {"country.xlsx", "country.csv"}) {
        const TCommandResult r = RunCommand("LC_ALL=C " + ShellQuote(program) + " " + args + ShellQuote(dir.File(file)) + " </dev/null");
        ASSERT_EQ(r.ExitCode, 0) << r.Output;
    }
    const TCells csv = ParseCsv(ReadAll(dir.File("country.csv")));
    ASSERT_EQ(csv.size(), 198u);
    const size_t columns = 12;  // (each CSV line ends with a separator)
    ASSERT_GE(csv[0].size(), columns);

    const TCommandResult lo = RunCommand(
        "soffice --headless -env:UserInstallation=file://" + dir.File("lo-profile") + " --convert-to " +
        ShellQuote("csv:Text - txt - csv (StarCalc):44,34,76,1,,0,false,true,true") + " --outdir " +
        ShellQuote(dir.File("lo")) + " " + ShellQuote(dir.File("country.xlsx")));
    ASSERT_EQ(lo.ExitCode, 0) << lo.Output;
    const TCells shown = ParseCsv(ReadAll(dir.File("lo/country.csv")));
    ASSERT_EQ(shown.size(), 198u);
    int nulls = 0;
    for (size_t row = 0; row < csv.size(); ++row) {
        for (size_t col = 0; col < columns; ++col) {
            SCOPED_TRACE("row " + std::to_string(row) + ", column " + std::to_string(col));
            std::string want = csv[row][col];
            if (row > 0 && col == 11) want = want == "True" ? "TRUE" : "FALSE";
            if (want.empty()) ++nulls;
            EXPECT_EQ(At(shown, row, col), want);
        }
    }
    EXPECT_GT(nulls, 0);

    // openpyxl: the texts of every cell as the CSV file writes them, from the typed values and
    // the number format of each column.
    const char* check = R"(import sys, csv, openpyxl
s = openpyxl.load_workbook(sys.argv[1]).worksheets[0]
want = list(csv.reader(open(sys.argv[2], encoding='utf-8')))
def text(c):
    v = c.value
    if v is None: return ''
    if c.data_type == 'b': return 'True' if v else 'False'
    if c.data_type == 's': return unescape(v)
    f = c.number_format
    if f == '#,###,##0': return '{:,.0f}'.format(v)
    if f == '#,###,##0.00': return '{:,.2f}'.format(v)
    if f == '00.00$': return '{:05.2f}$'.format(v)
    if f == 'm/d/yyyy': return '%d/%d/%d' % (v.month, v.day, v.year)
    if f == 'm/d/yyyy h:mm AM/PM':
        return '%d/%d/%d %d:%02d %s' % (v.month, v.day, v.year, (v.hour + 11) % 12 + 1, v.minute, 'PM' if v.hour >= 12 else 'AM')
    return 'unknown format ' + f
bad = 0
types = set()
for r, row in enumerate(s.iter_rows()):
    for c in row:
        types.add((c.column, c.data_type, c.number_format)) if r > 0 and c.value is not None else None
        if text(c) != want[r][c.column - 1]:
            bad += 1
            if bad < 5: print('row', r, 'column', c.column - 1, repr(text(c)), '!=', repr(want[r][c.column - 1]))
print(s.max_row, s.max_column, bad)
print(sorted(types))
)";
    EXPECT_EQ(RunPython(dir, std::string(kUnescape) + check,
                        ShellQuote(dir.File("country.xlsx")) + " " + ShellQuote(dir.File("country.csv"))),
              "198 12 0\n"
              "[(1, 'n', '#,###,##0'), (2, 's', 'General'), (3, 's', 'General'), (4, 's', 'General'), "
              "(5, 's', 'General'), (6, 's', 'General'), (7, 'n', '#,###,##0.00'), (8, 'n', '#,###,##0'), "
              "(9, 'n', '00.00$'), (10, 'd', 'm/d/yyyy'), (11, 'd', 'm/d/yyyy h:mm AM/PM'), (12, 'b', 'General')]\n");
}

// LibreOffice computes the aggregates: once told to compute every formula on load, and by
// default, where it shows the results stored with the formulas.
TEST(XlsxReaders, LibreOfficeComputesTheAggregates) {
    REQUIRE_READER("soffice");
    TFormatSettingsScope us(UsSettings());
    TTempDir dir;
    TMemDataset ds;
    ds.AddField("K", TMemFieldType::String, 5);
    for (const char* f : {"S", "A", "L", "H"}) ds.AddField(f, TMemFieldType::Float);
    const double values[] = {4, -1.5, 10, 2.25};
    for (double v : values) ds.AppendRow({std::string("k"), v, v, v, v});
    ds.AppendRow({std::string("null"), TMemValue{}, TMemValue{}, TMemValue{}, TMemValue{}});
    ds.Open();
    TIB_OstrelXLSX e;
    e.SetDataSet(&ds);
    e.SetFileName(dir.File("agg.xlsx"));
    e.Formats().SetFloatFormat("0.00");
    e.Header().Add("Aggregates");
    const std::pair<const char*, TxlsAggregate> aggregates[] = {{"S", aggSum}, {"A", aggAvg}, {"L", aggMin}, {"H", aggMax}};
    for (auto [field, aggregate] : aggregates) {
        TxlsFieldFormat* f = e.FieldFormats().Add();
        f->FieldName = field;
        f->Aggregate = aggregate;
    }
    e.DoExecute();
    // A copy whose stored results are wrong: only a reader that computes shows the right ones.
    RunPython(dir, R"(import sys, re, zipfile
src = zipfile.ZipFile(sys.argv[1])
with zipfile.ZipFile(sys.argv[2], 'w', zipfile.ZIP_DEFLATED) as dst:
    for item in src.infolist():
        data = src.read(item.filename)
        if item.filename == 'xl/worksheets/sheet1.xml':
            data = re.sub(rb'(</f><v>)[^<]*(</v>)', rb'\g<1>999\g<2>', data)
        dst.writestr(item, data)
)",
              ShellQuote(dir.File("agg.xlsx")) + " " + ShellQuote(dir.File("stale.xlsx")));
    const std::string profile = dir.File("recalc-profile");
    std::filesystem::create_directories(profile + "/user");
    std::ofstream(profile + "/user/registrymodifications.xcu")
        << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<oor:items xmlns:oor=\"http://openoffice.org/2001/registry\" "
           "xmlns:xs=\"http://www.w3.org/2001/XMLSchema\" xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\">\n"
           "<item oor:path=\"/org.openoffice.Office.Calc/Formula/Load\"><prop oor:name=\"OOXMLRecalcMode\" "
           "oor:op=\"fuse\"><value>0</value></prop></item>\n</oor:items>\n";
    const TCommandResult lo = RunCommand("soffice --headless -env:UserInstallation=file://" + profile + " --convert-to " +
                                         ShellQuote("csv:Text - txt - csv (StarCalc):44,34,76,1,,0,false,true,true") +
                                         " --outdir " + ShellQuote(dir.File("recalc")) + " " + ShellQuote(dir.File("stale.xlsx")));
    ASSERT_EQ(lo.ExitCode, 0) << lo.Output;
    const TCells computed = ParseCsv(ReadAll(dir.File("recalc/stale.csv")));
    ASSERT_EQ(computed.size(), 8u);
    EXPECT_EQ(computed[0][0], "Aggregates");
    EXPECT_EQ(computed[2][1], "4.00");
    EXPECT_EQ(computed[7], (std::vector<std::string>{"", "14.75", "3.69", "-1.50", "10.00"}));
    // By default LibreOffice shows the stored results: right in the exporter's file.
    const TCells stored = LibreOfficeCells(dir, dir.File("agg.xlsx"), "");
    ASSERT_EQ(stored.size(), 8u);
    EXPECT_EQ(stored[7], computed[7]);
    EXPECT_EQ(LibreOfficeCells(dir, dir.File("stale.xlsx"), "").at(7).at(1), "999.00");
}

// Texts that could escape their cell or turn into something else: each reads back as it was.
TEST(XlsxReaders, EveryTextReadsBackAsItWas) {
    REQUIRE_READER("soffice");
    REQUIRE_READER("/usr/bin/python3");
    TTempDir dir;
    TMemDataset ds;
    ds.AddField("T", TMemFieldType::String, 40000);
    const std::vector<std::string> texts = {
        "=1+1", "+1", "-1", "@SUM(A1)", "line\nbreak", "cr\r\nlf", "tab\tstop", "quote\"'", "<b>&amp;</b>",
        "_x0041_", "_x005F_", "]]>", " padded ", "Łódź 東京 😀", std::string(32767, 'y'),
        std::string(8000, 'z') + "😀" + std::string(8000, 'w')};
    for (const auto& t : texts) ds.AppendRow({t});
    ds.AppendRow({std::string("nul\0byte\x01", 9)});
    ds.AppendRow({std::string("bad \xFF\xC3( utf8")});
    ds.Open();
    TIB_OstrelXLSX e;
    e.SetDataSet(&ds);
    e.SetAllowCaptions(false);
    e.SetFileName(dir.File("texts.xlsx"));
    e.DoExecute();
    std::ofstream expected(dir.File("expected.txt"), std::ios::binary);
    for (const auto& t : texts) expected << t << '\x1E';
    expected.close();

    // openpyxl: string cells, each the text written, the last two with their replacements.
    const char* check = R"(import sys, openpyxl
s = openpyxl.load_workbook(sys.argv[1]).worksheets[0]
want = open(sys.argv[2], encoding='utf-8', newline='').read().split('\x1e')[:-1]
got = [unescape(c.value) for c in s['A']]
types = {c.data_type for c in s['A']}
print(len(got), types, got[:len(want)] == want, [i for i in range(len(want)) if got[i] != want[i]], repr(got[-2]), repr(got[-1]))
)";
    EXPECT_EQ(RunPython(dir, std::string(kUnescape) + check,
                        ShellQuote(dir.File("texts.xlsx")) + " " + ShellQuote(dir.File("expected.txt"))),
              "18 {'s'} True [] 'nul\\x00byte\\x01' 'bad \xEF\xBF\xBD\xEF\xBF\xBD( utf8'\n");

    // LibreOffice: the same texts, but that a cell of its own holds a line break as a line feed.
    const TCells cells = LibreOfficeCells(dir, dir.File("texts.xlsx"), "");
    ASSERT_GE(cells.size(), texts.size());
    for (size_t i = 0; i < texts.size(); ++i) EXPECT_EQ(At(cells, i, 0), texts[i] == "cr\r\nlf" ? "cr\nlf" : texts[i]) << i;
    EXPECT_EQ(At(cells, texts.size() + 1, 0), "bad \xEF\xBF\xBD\xEF\xBF\xBD( utf8");
}

// A full worksheet of 1,048,576 rows (caption row, data, footer), with the rows past it left out.
TEST(XlsxReaders, AFullWorksheetReadsBackCompletely) {
    REQUIRE_READER("/usr/bin/python3");
    TTempDir dir;
    TMemDataset ds;
    FillNumbered(ds, TIB_OstrelXLSX::kMaxRows + 4);
    TIB_OstrelXLSX e;
    e.SetDataSet(&ds);
    e.Footer().Add("end");
    e.SetFileName(dir.File("full.xlsx"));
    e.DoExecute();
    EXPECT_EQ(e.RowsLeftOut(), 6);
    const char* count = R"(import sys, openpyxl
s = openpyxl.load_workbook(sys.argv[1], read_only=True).worksheets[0]
n = 0; first = last = None; numbered = True
for row in s.iter_rows(values_only=True):
    n += 1
    if n == 1: first = row
    elif n < 1048576 and row != (n - 1, 'row %d' % (n - 1)): numbered = False
    last = row
print(n, first, last, numbered)
)";
    EXPECT_EQ(RunPython(dir, count, ShellQuote(dir.File("full.xlsx"))), "1048576 ('ID', 'NAME') ('end', None) True\n");
}

}  // namespace
}  // namespace ostrel::test
