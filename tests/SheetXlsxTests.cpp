// XLSX workbooks opened as what they are, a zip container of XML parts (read here with zlib):
// where each cell lands, its type and style, the texts a value may hold, the limits, and the
// temporary file the run writes through.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <zlib.h>

#include <map>
#include <regex>
#include <set>

#include "TestSupport.h"
#include "exporters/sheet/IB_OstrelXLS.h"
#include "exporters/sheet/IB_OstrelXLSX.h"
#include "exporters/sheet/XlsNumberFormat.h"
#include "platform/ByteOrder.h"

namespace ostrel::test {
namespace {

// The parts of a zip file by name, inflated.
std::map<std::string, std::string> Unzip(const std::string& zip) {
    std::map<std::string, std::string> parts;
    auto u16 = [&](size_t at) { return GetLE16(reinterpret_cast<const uint8_t*>(zip.data() + at)); };
    auto u32 = [&](size_t at) { return GetLE32(reinterpret_cast<const uint8_t*>(zip.data() + at)); };
    const size_t end = zip.rfind(std::string("PK\x05\x06", 4));
    if (end == std::string::npos) return parts;
    size_t entry = u32(end + 16);
    for (uint32_t n = u16(end + 10); n > 0; --n) {
        const uint32_t method = u16(entry + 10), packed = u32(entry + 20), size = u32(entry + 24);
        const uint32_t nameLength = u16(entry + 28), extra = u16(entry + 30), comment = u16(entry + 32);
        const size_t local = u32(entry + 42);
        const std::string name = zip.substr(entry + 46, nameLength);
        const size_t data = local + 30 + u16(local + 26) + u16(local + 28);
        std::string out(size, '\0');
        if (method == 0) {
            out = zip.substr(data, size);
        } else {
            z_stream z{};
            inflateInit2(&z, -MAX_WBITS);
            z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(zip.data() + data));
            z.avail_in = packed;
            z.next_out = reinterpret_cast<Bytef*>(out.data());
            z.avail_out = size;
            EXPECT_EQ(inflate(&z, Z_FINISH), Z_STREAM_END) << name;
            inflateEnd(&z);
        }
        parts[name] = out;
        entry += 46 + nameLength + extra + comment;
    }
    return parts;
}

struct TCell {
    std::string Type, Style, Value, Formula;  // Value: <v> or the inline text
};

std::string Attribute(const std::string& tag, const std::string& name) {
    const size_t at = tag.find(" " + name + "=\"");
    if (at == std::string::npos) return {};
    const size_t start = at + name.size() + 3;
    return tag.substr(start, tag.find('"', start) - start);
}

std::string Between(const std::string& body, const std::string& open, const std::string& close) {
    size_t at = body.find(open);
    if (at == std::string::npos) return {};
    at = body.find('>', at) + 1;
    return body.substr(at, body.find(close, at) - at);
}

// The cell element that starts at `at` ("<c r=...").
std::pair<std::string, TCell> CellAt(const std::string& sheet, size_t at) {
    const size_t tagEnd = sheet.find('>', at);
    const std::string tag = sheet.substr(at, tagEnd - at + 1);
    TCell c;
    c.Style = Attribute(tag, "s");
    c.Type = Attribute(tag, "t");
    if (tag.ends_with("/>")) return {Attribute(tag, "r"), c};
    const std::string body = sheet.substr(tagEnd + 1, sheet.find("</c>", tagEnd) - tagEnd - 1);
    c.Value = body.find("<t") != std::string::npos ? Between(body, "<t", "</t>") : Between(body, "<v>", "</v>");
    c.Formula = Between(body, "<f>", "</f>");
    return {Attribute(tag, "r"), c};
}

// Every cell of sheet1.xml by reference ("B3").
std::map<std::string, TCell> Cells(const std::string& sheet) {
    std::map<std::string, TCell> cells;
    for (size_t at = 0; (at = sheet.find("<c r=\"", at)) != std::string::npos; ++at) cells.insert(CellAt(sheet, at));
    return cells;
}

// One cell, found without reading the others.
TCell Cell(const std::string& sheet, const std::string& ref) {
    const size_t at = sheet.find("<c r=\"" + ref + "\"");
    return at == std::string::npos ? TCell{"", "", "<none>", ""} : CellAt(sheet, at).second;
}

// Keeps the workbook stream of an XLS run.
class TCapturingXLS : public TIB_OstrelXLS {
public:
    std::string Workbook;

protected:
    void EndExport() override {
        TIB_OstrelXLS::EndExport();
        Workbook = std::string(static_cast<TOXLSWriter*>(Writer())->Workbook());
    }
};

// The positions of the cells of a BIFF8 workbook stream (labels, numbers, Booleans, formulas)
// as references.
std::set<std::string> XlsCellRefs(const std::string& s) {
    std::set<std::string> refs;
    for (size_t at = 0; at + 4 <= s.size();) {
        const auto* p = reinterpret_cast<const uint8_t*>(s.data() + at);
        const uint32_t id = GetLE16(p), length = GetLE16(p + 2);
        if (id == 0x00FD || id == 0x0203 || id == 0x0205 || id == 0x0006) {
            const uint32_t row = GetLE16(p + 4), col = GetLE16(p + 6);
            std::string letters;
            for (uint32_t c = col + 1; c > 0; c = (c - 1) / 26) letters.insert(letters.begin(), char('A' + (c - 1) % 26));
            refs.insert(letters + std::to_string(row + 1));
        }
        at += 4 + length;
    }
    return refs;
}

class Xlsx : public ::testing::Test {
protected:
    std::map<std::string, std::string> Run(TMemDataset& source) {
        e.SetDataSet(&source);
        e.SetFileName(dir.File("t.xlsx"));
        e.DoExecute();
        return Unzip(ReadAll(dir.File("t.xlsx")));
    }
    std::map<std::string, TCell> RunCells(TMemDataset& source) { return Cells(Run(source)["xl/worksheets/sheet1.xml"]); }
    TTempDir dir;
    TIB_OstrelXLSX e;
};

TEST_F(Xlsx, ThePartsOfAWorkbookWithTypedCells) {
    TFormatSettingsScope us(UsSettings());
    TMemDataset ds;
    ds.AddField("I", TMemFieldType::Integer);
    ds.AddField("S", TMemFieldType::String, 12);
    ds.AddField("D", TMemFieldType::Date);
    ds.AddField("B", TMemFieldType::Boolean);
    ds.AppendRow({int64_t{7}, "Jürgen", EncodeDate(1974, 5, 1), true});
    ds.AppendRow({TMemValue{}, TMemValue{}, TMemValue{}, TMemValue{}});
    ds.Open();
    e.ColumnsWidth().Add("S=300");
    auto parts = Run(ds);
    for (const char* name : {"[Content_Types].xml", "_rels/.rels", "xl/workbook.xml", "xl/styles.xml",
                             "xl/worksheets/sheet1.xml", "docProps/core.xml"})
        EXPECT_EQ(parts.count(name), 1u) << name;
    EXPECT_NE(parts["xl/workbook.xml"].find("<sheet name=\"Sheet 1\""), std::string::npos);
    const std::string& sheet = parts["xl/worksheets/sheet1.xml"];
    EXPECT_NE(sheet.find("<dimension ref=\"A1:D3\"/>"), std::string::npos);
    EXPECT_NE(sheet.find("<col min=\"2\" max=\"2\" width=\"255.7109375\" customWidth=\"1\"/>"), std::string::npos);
    EXPECT_NE(sheet.find("<oddFooter>&amp;CPage &amp;P of &amp;N</oddFooter>"), std::string::npos);
    EXPECT_EQ(sheet.find("<oddHeader>"), std::string::npos);  // no page header

    auto cells = Cells(sheet);
    EXPECT_EQ(cells["A1"].Type, "inlineStr");
    EXPECT_EQ(cells["A1"].Value, "I");
    EXPECT_EQ(cells["A2"].Type, "");
    EXPECT_EQ(cells["A2"].Value, "7");
    EXPECT_EQ(cells["B2"].Value, "Jürgen");
    EXPECT_EQ(cells["C2"].Value, "27150");  // 1 May 1974 as a serial day
    EXPECT_EQ(cells["D2"].Type, "b");
    EXPECT_EQ(cells["D2"].Value, "1");
    // NULLs: blank cells with the column's style for numbers, dates and Booleans; no text cell.
    EXPECT_EQ(cells["A3"].Value, "");
    EXPECT_EQ(cells["A3"].Style, cells["A2"].Style);
    EXPECT_EQ(cells.count("B3"), 0u);
    EXPECT_EQ(cells.count("D3"), 1u);
    EXPECT_EQ(cells["C3"].Style, cells["C2"].Style);
    EXPECT_EQ(cells["D3"].Value, "");

    // The number formats are the XLS exporter's codes; the captions are bold; every cell has
    // the data format's font, Arial 10.
    const std::string& styles = parts["xl/styles.xml"];
    EXPECT_NE(styles.find("formatCode=\"#,###,##0\""), std::string::npos);
    EXPECT_NE(styles.find("formatCode=\"m/d/yyyy\""), std::string::npos);
    EXPECT_NE(styles.find("<font><b/><sz val=\"10\"/><color rgb=\"FF000000\"/><name val=\"Arial\"/>"), std::string::npos)
        << styles;
}

// The library deflates at zlib's default level; the run asks for the fastest one, which the
// zip's general-purpose flags record (bits 1 and 2 both set) for every deflated part.
TEST_F(Xlsx, PartsAreDeflatedAtTheFastestLevel) {
    TMemDataset ds;
    ds.AddField("S", TMemFieldType::String, 20);
    for (int i = 0; i < 200; ++i) ds.AppendRow({"row " + std::to_string(i)});
    ds.Open();
    const auto parts = Run(ds);
    ASSERT_EQ(Cells(parts.at("xl/worksheets/sheet1.xml"))["A201"].Value, "row 199");
    const std::string zip = ReadAll(dir.File("t.xlsx"));
    const size_t end = zip.rfind(std::string("PK\x05\x06", 4));
    ASSERT_NE(end, std::string::npos);
    size_t entry = GetLE32(reinterpret_cast<const uint8_t*>(zip.data() + end + 16));
    int deflated = 0;
    for (uint32_t n = GetLE16(reinterpret_cast<const uint8_t*>(zip.data() + end + 10)); n > 0; --n) {
        const auto* p = reinterpret_cast<const uint8_t*>(zip.data() + entry);
        const std::string name = zip.substr(entry + 46, GetLE16(p + 28));
        if (GetLE16(p + 10) == 8) {
            ++deflated;
            EXPECT_EQ(GetLE16(p + 8) & 6, 6) << name;
        }
        entry += 46 + GetLE16(p + 28) + GetLE16(p + 30) + GetLE16(p + 32);
    }
    EXPECT_GE(deflated, 6);
}

// The same settings place the same cells in both formats: header block, captions after the
// free columns, data, aggregates and footer.
TEST_F(Xlsx, TheLayoutIsTheXlsExportersLayout) {
    TMemDataset ds;
    ds.AddField("A", TMemFieldType::Integer);
    ds.AddField("B", TMemFieldType::Float);
    for (int i = 1; i <= 10; ++i) ds.AppendRow({int64_t{i}, i * 1.5});
    ds.Open();
    auto setUp = [](TIB_OstrelSheet& x) {
        x.Header().Add("Title");
        x.Header().Add("a\tb\t\tc");
        x.Footer().Add("end\t");
        x.SetStartDataCol(2);
        TxlsFieldFormat* b = x.FieldFormats().Add();
        b->FieldName = "B";
        b->Aggregate = aggSum;
        TxlsFieldFormat* a = x.FieldFormats().Add();
        a->FieldName = "A";
        a->Aggregate = aggAvg;
        x.OnGetBeforeDataParams = [](TObject*, int col, int row, TxlsFormat&, std::string& s) {
            if (col == 1) s = "r" + std::to_string(row);
        };
    };
    setUp(e);
    auto cells = RunCells(ds);
    EXPECT_EQ(cells["A1"].Value, "Title");
    EXPECT_EQ(cells["A2"].Value + cells["B2"].Value + cells["D2"].Value, "abc");
    EXPECT_EQ(cells.count("C2"), 0u);
    EXPECT_EQ(cells["B3"].Value + cells["C3"].Value + cells["D3"].Value, "r2AB");  // before-data cell, captions
    EXPECT_EQ(cells["B4"].Value + " " + cells["C4"].Value + " " + cells["D4"].Value, "r3 1 1.5");
    EXPECT_EQ(cells["C13"].Value + " " + cells["D13"].Value, "10 15");
    EXPECT_EQ(cells["B14"].Value, "r13");
    EXPECT_EQ(cells["C14"].Formula + " " + cells["C14"].Value, "AVERAGE(C4:C13) 5.5");  // with its result
    EXPECT_EQ(cells["D14"].Formula + " " + cells["D14"].Value, "SUM(D4:D13) 82.5");
    EXPECT_EQ(cells["A15"].Value, "end");
    EXPECT_EQ(cells.size(), 41u);

    // The XLS exporter with the same settings writes cells at the same places.
    TCapturingXLS xls;
    setUp(xls);
    xls.SetDataSet(&ds);
    xls.SetFileName(dir.File("t.xls"));
    xls.DoExecute();
    std::set<std::string> xlsx;
    for (const auto& [ref, cell] : cells) xlsx.insert(ref);
    EXPECT_EQ(XlsCellRefs(xls.Workbook), xlsx);
}

TEST_F(Xlsx, TextsStayTextsWhateverBytesTheyHold) {
    TMemDataset ds;
    ds.AddField("T", TMemFieldType::String, 100);
    const std::vector<std::string> texts = {
        "=1+1", "@SUM(A1)", std::string("nul\0byte", 8), "line\nbreak", "cr\r\nlf", "tab\tstop",
        "quote\"'<&>", "_x0041_ stays", "_X00e9_", "bad \xFF\xC3( utf8", "\xEF\xBF\xBF end", " padded ", "\x01\x1F"};
    for (const auto& t : texts) ds.AppendRow({t});
    ds.Open();
    e.SetAllowCaptions(false);
    auto cells = RunCells(ds);
    const std::vector<std::string> want = {
        "=1+1", "@SUM(A1)", "nul_x0000_byte", "line\nbreak", "cr_x000D_\nlf", "tab\tstop",
        "quote\"'&lt;&amp;&gt;", "_x005F_x0041_ stays", "_x005F_X00e9_", "bad \xEF\xBF\xBD\xEF\xBF\xBD( utf8",
        "_xFFFF_ end", " padded ", "_x0001__x001F_"};
    for (size_t i = 0; i < texts.size(); ++i) {
        const TCell& c = cells["A" + std::to_string(i + 1)];
        EXPECT_EQ(c.Type, "inlineStr") << i;
        EXPECT_EQ(c.Formula, "") << i;
        EXPECT_EQ(c.Value, want[i]) << i;
    }
    const std::string sheet = Unzip(ReadAll(dir.File("t.xlsx")))["xl/worksheets/sheet1.xml"];
    EXPECT_NE(sheet.find("<t xml:space=\"preserve\"> padded </t>"), std::string::npos);
    EXPECT_EQ(sheet.find("<f>"), std::string::npos);

    // Windows-1252 bytes are the characters of that code page.
    TFormatSettings cp1252 = UsSettings();
    cp1252.CodePage = 1252;
    TFormatSettingsScope scope(cp1252);
    EXPECT_EQ(XlsxCellText("J\xFCrgen \x80"), "Jürgen €");
    EXPECT_EQ(XlsxCellText("plain"), "plain");
}

TEST_F(Xlsx, NumberFormatsStylesAndEvents) {
    TFormatSettingsScope us(UsSettings());
    TMemDataset ds;
    ds.AddField("F", TMemFieldType::Float);
    ds.AddField("T", TMemFieldType::DateTime);
    ds.AddField("N", TMemFieldType::String, 10);
    ds.AppendRow({2.5, EncodeDate(2024, 7, 2) + EncodeTime(15, 13, 0, 0), "x"});
    ds.AppendRow({-1.0, EncodeDate(2024, 7, 3), "y"});
    ds.Open();
    e.UserFormats().Add("F=#,##0.00 \"€\"");
    e.UserFormats().Add("T=yyyy-mm-dd'T'hh:nn:ss");
    TxlsFieldFormat* n = e.FieldFormats().Add();
    n->FieldName = "N";
    n->Font.Name = "Courier New";
    n->Font.Style = {xfsItalic};
    n->Font.Color = clrRed;
    n->Borders.Left.Style = bstThin;
    n->Borders.Left.Color = clrBlue;
    n->Borders.DiagUp.Style = bstDashed;
    n->Fill.Pattern = ptSolid;
    n->Fill.Background = clrYellow;
    n->Alignment.Horizontal = halCenter;
    n->Alignment.Vertical = valTop;
    n->Wrap = true;
    int events = 0;
    e.OnGetDataParams = [&](TObject*, int col, int row, TxlsFormat& f, std::string& formatText) {
        ++events;
        if (col == 0 && row == 2) formatText = "0.000";  // the second row's F
    };
    auto parts = Run(ds);
    EXPECT_EQ(events, 6);
    const std::string& styles = parts["xl/styles.xml"];
    for (const std::string& code : {XlsNumberFormat("#,##0.00 \"€\"", TXlsValueKind::Number), std::string("0.000"),
                                   XlsNumberFormat("yyyy-mm-dd'T'hh:nn:ss", TXlsValueKind::DateTime)})
        EXPECT_NE(styles.find("formatCode=\"" + std::regex_replace(code, std::regex("\""), "&quot;") + "\""),
                  std::string::npos)
            << code << "\n" << styles;
    EXPECT_NE(styles.find("<i/><sz val=\"10\"/><color rgb=\"FFFF0000\"/><name val=\"Courier New\"/>"), std::string::npos);
    EXPECT_NE(styles.find("<patternFill patternType=\"solid\"><fgColor rgb=\"FFFFFF00\"/>"), std::string::npos) << styles;
    EXPECT_NE(styles.find("<border diagonalUp=\"1\"><left style=\"thin\"><color rgb=\"FF0000FF\"/></left>"),
              std::string::npos) << styles;
    EXPECT_NE(styles.find("<alignment horizontal=\"center\" vertical=\"top\" wrapText=\"1\"/>"), std::string::npos);
    auto cells = Cells(parts["xl/worksheets/sheet1.xml"]);
    EXPECT_NE(cells["A2"].Style, cells["A3"].Style);
    EXPECT_EQ(cells["C2"].Style, cells["C3"].Style);
}

TEST_F(Xlsx, LimitsOfTheFormat) {
    TMemDataset ds;
    ds.AddField("T", TMemFieldType::String, 40000);
    ds.AppendRow({std::string("fine")});
    ds.AppendRow({std::string(32767, 'y')});
    ds.AppendRow({std::string(16383, 'x') + "\xF0\x9F\x98\x80"});  // 16,385 UTF-16 units: fits
    ds.Open();
    auto cells = RunCells(ds);
    EXPECT_EQ(cells["A3"].Value.size(), 32767u);

    // One character more fails the run; the file that was there stays.
    TMemDataset tooLong;
    tooLong.AddField("T", TMemFieldType::String, 40000);
    tooLong.AppendRow({std::string("fine")});
    tooLong.AppendRow({std::string(32766, 'z') + "\xC3\xA9\xC3\xA9"});
    tooLong.Open();
    try {
        Run(tooLong);
        FAIL() << "no error";
    } catch (const EOstrelError& error) {
        EXPECT_STREQ(error.what(), "Cell R2,C0: String length more than 32767 characters");
    }
    EXPECT_EQ(Cells(Unzip(ReadAll(dir.File("t.xlsx")))["xl/worksheets/sheet1.xml"])["A3"].Value.size(), 32767u);
    for (const auto& f : std::filesystem::directory_iterator(dir.File("")))
        EXPECT_FALSE(f.path().string().ends_with(".part")) << f.path();

    // Columns: 16,384 at most, checked before anything is written.
    TMemDataset narrow;
    FillNumbered(narrow, 2);
    e.SetStartDataCol(16382);
    EXPECT_EQ(RunCells(narrow)["XFD2"].Value, "row 1");
    e.SetStartDataCol(16383);
    try {
        Run(narrow);
        FAIL() << "no error";
    } catch (const EOstrelError& error) {
        EXPECT_STREQ(error.what(), "A worksheet has at most 16384 columns; the export needs 16385");
    }
    e.SetStartDataCol(0);

    // Sheet titles: cut to 31 characters; characters a sheet name cannot have fail the run.
    e.Options().SetSheetTitle("Größen und Einwohner der Länder der Welt");
    auto parts = Run(narrow);
    EXPECT_NE(parts["xl/workbook.xml"].find("<sheet name=\"Größen und Einwohner der Länder\""), std::string::npos);
    for (const char* title : {"Q1/Q2", "a[1]", "tab\there", "'quoted'"}) {
        e.Options().SetSheetTitle(title);
        try {
            Run(narrow);
            ADD_FAILURE() << title;
        } catch (const EOstrelError& error) {
            EXPECT_TRUE(std::string(error.what()).starts_with("Sheet title \"")) << error.what();
        }
    }
    e.Options().SetSheetTitle("Sheet 1");

    // Page header and footer: 255 characters, control characters as blanks, the centre's code
    // before text that has none.
    e.Options().PageHeader = "&C" + std::string(300, 'h');
    e.Options().PageFooter = std::string("a\x01" "b", 3);
    const std::string sheet = Run(narrow)["xl/worksheets/sheet1.xml"];
    EXPECT_NE(sheet.find("<oddHeader>&amp;C" + std::string(253, 'h') + "</oddHeader>"), std::string::npos);
    EXPECT_NE(sheet.find("<oddFooter>&amp;Ca b</oddFooter>"), std::string::npos);
}

TEST_F(Xlsx, RowsPastTheLastOneAreLeftOutAndCounted) {
    TMemDataset ds;
    FillNumbered(ds, TIB_OstrelXLSX::kMaxRows + 4);
    e.Footer().Add("f");
    const std::string sheet = Run(ds)["xl/worksheets/sheet1.xml"];
    // Caption row, 1,048,574 data rows and the footer fill the sheet; six rows are left out.
    EXPECT_EQ(e.RowsLeftOut(), 6);
    EXPECT_EQ(Cell(sheet, "A1048575").Value, "1048574");
    EXPECT_EQ(Cell(sheet, "A1048576").Value, "f");
    EXPECT_EQ(Cell(sheet, "B1048576").Value, "<none>");
}

TEST_F(Xlsx, FailedRunsLeaveNoFileAndPipesGetTheWholeWorkbook) {
    TMemDataset ds;
    FillNumbered(ds, 20);
    e.OnGetExportText = [&](TObject*, int col, std::string& text) {
        if (col == 0 && e.RecordCounter() == 6) text = "not a number";
    };
    EXPECT_THROW(Run(ds), EConvertError);
    EXPECT_FALSE(std::filesystem::exists(dir.File("t.xlsx")));
    for (const auto& f : std::filesystem::directory_iterator(dir.File(""))) ADD_FAILURE() << f.path();
    e.OnGetExportText = nullptr;

    // A stopped run completes its workbook.
    e.OnExportedRecord = [&](TObject*, int n) {
        if (n == 5) e.Abort();
    };
    EXPECT_EQ(RunCells(ds).count("A7"), 0u);
    EXPECT_EQ(RunCells(ds)["A6"].Value, "5");
    e.OnExportedRecord = nullptr;

    // A pipe cannot be written with seeks: the workbook goes through a scratch file. The read
    // end is open before the run, so the pipe keeps what the run writes (less than its buffer).
    const std::string fifo = dir.File("pipe");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    const int fd = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(fd, 0);
    e.SetDataSet(&ds);
    e.SetFileName(fifo);
    e.DoExecute();
    std::string received;
    char buffer[4096];
    for (ssize_t n; (n = ::read(fd, buffer, sizeof buffer)) > 0;) received.append(buffer, static_cast<size_t>(n));
    ::close(fd);
    EXPECT_EQ(Cells(Unzip(received)["xl/worksheets/sheet1.xml"])["B21"].Value, "row 20");
}

}  // namespace
}  // namespace ostrel::test
