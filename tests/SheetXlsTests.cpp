// Workbooks record by record: the globals, the worksheet, the inserted styles and shared
// strings, the patched offsets, and where the exporter puts each cell.
#include "TestSupport.h"
#include "exporters/sheet/IB_OstrelXLS.h"
#include "platform/ByteOrder.h"

namespace ostrel::test {
namespace {

struct TRecord {
    uint16_t Id;
    std::string Body;
    size_t Offset;
    uint32_t U16(size_t at) const { return GetLE16(reinterpret_cast<const uint8_t*>(Body.data() + at)); }
    uint32_t U32(size_t at) const { return GetLE32(reinterpret_cast<const uint8_t*>(Body.data() + at)); }
};

std::vector<TRecord> Records(const std::string& s) {
    std::vector<TRecord> out;
    for (size_t at = 0; at + 4 <= s.size();) {
        const auto* p = reinterpret_cast<const uint8_t*>(s.data() + at);
        const uint32_t length = GetLE16(p + 2);
        out.push_back({static_cast<uint16_t>(GetLE16(p)), s.substr(at + 4, length), at});
        at += 4 + length;
    }
    return out;
}

std::vector<uint16_t> Ids(const std::vector<TRecord>& records) {
    std::vector<uint16_t> ids;
    for (const auto& r : records) ids.push_back(r.Id);
    return ids;
}

const TRecord* Find(const std::vector<TRecord>& records, uint16_t id, size_t nth = 0) {
    for (const auto& r : records)
        if (r.Id == id && nth-- == 0) return &r;
    return nullptr;
}

// The cell record (LABELSST, NUMBER, BOOLERR or FORMULA) at row, col.
const TRecord* Cell(const std::vector<TRecord>& records, int row, int col) {
    for (const auto& r : records)
        if ((r.Id == 0x00FD || r.Id == 0x0203 || r.Id == 0x0205 || r.Id == 0x0006) && r.U16(0) == uint32_t(row) &&
            r.U16(2) == uint32_t(col))
            return &r;
    return nullptr;
}

double NumberOf(const TRecord& r) {
    uint64_t bits = r.U32(6) | uint64_t{r.U32(10)} << 32;
    double v;
    std::memcpy(&v, &bits, 8);
    return v;
}

std::string Hex(std::string_view bytes) {
    std::string out;
    char buf[4];
    for (unsigned char c : bytes) {
        std::snprintf(buf, sizeof buf, "%02X ", c);
        out += buf;
    }
    if (!out.empty()) out.pop_back();
    return out;
}

// Keeps the workbook stream as the run completed it.
class TCapturingXLS : public TIB_OstrelXLS {
public:
    std::string Workbook;
    using TIB_OstrelXLS::FirstDataRow;

protected:
    void EndExport() override {
        TIB_OstrelXLS::EndExport();
        Workbook = std::string(static_cast<TOXLSWriter*>(Writer())->Workbook());
    }
};

class Xls : public ::testing::Test {
protected:
    void SetUp() override { e.SetFileName(dir.File("t.xls")); }
    std::vector<TRecord> Run(TMemDataset& source) {
        e.SetDataSet(&source);
        e.DoExecute();
        return Records(e.Workbook);
    }
    TTempDir dir;
    TCapturingXLS e;
};

TEST_F(Xls, GlobalsWorksheetAndPatches) {
    TFormatSettingsScope us(UsSettings());
    TMemDataset ds;
    ds.AddField("I", TMemFieldType::Integer);
    ds.AddField("S", TMemFieldType::String, 12);
    ds.AddField("D", TMemFieldType::Date);
    ds.AppendRow({int64_t{7}, "Jürgen", EncodeDate(1974, 5, 1)});
    ds.AppendRow({int64_t{-3}, "東", EncodeDate(1900, 3, 1)});
    ds.Open();
    e.ColumnsWidth().Add("S=300");  // wider than a column can be: 255
    const auto r = Run(ds);

    const std::vector<uint16_t> expected = {
        0x0809, 0x005C, 0x0042, 0x0161, 0x013D, 0x009C, 0x0019, 0x0012, 0x0013, 0x01AF, 0x01BC, 0x003D,
        0x0040, 0x008D, 0x0022, 0x000E, 0x01B7, 0x00DA, 0x0031, 0x0031, 0x0031, 0x0031,
        0x00E0, 0x00E0, 0x00E0, 0x00E0, 0x00E0, 0x00E0, 0x00E0, 0x00E0, 0x00E0, 0x00E0, 0x00E0, 0x00E0,
        0x00E0, 0x00E0, 0x00E0, 0x00E0,
        // style block: number formats (integer, date), the bold caption font, the XFs
        0x041E, 0x041E, 0x0031, 0x00E0, 0x00E0, 0x00E0,
        0x0085, 0x008C, 0x00FC, 0x000A,
        0x0809, 0x000D, 0x000C, 0x000F, 0x0011, 0x0010, 0x005F, 0x002A, 0x002B, 0x0082, 0x0080, 0x0225,
        0x0081, 0x0014, 0x0015, 0x0083, 0x0084, 0x0055, 0x007D, 0x007D, 0x007D, 0x0200,
        0x00FD, 0x00FD, 0x00FD,          // captions
        0x0203, 0x00FD, 0x0203,          // row 1
        0x0203, 0x00FD, 0x0203,          // row 2
        0x023E, 0x001D, 0x000A, 0x000A};
    ASSERT_EQ(Ids(r), expected);

    EXPECT_EQ(Hex(r[0].Body), "00 06 05 00 BB 0D CC 07 00 00 00 00 06 02 00 00");
    EXPECT_EQ(r[1].Body, std::string("\x01\x00\x00X", 4) + std::string(108, ' '));
    EXPECT_EQ(r[2].U16(0), 1252u);
    EXPECT_EQ(Hex(r[11].Body), "78 00 78 00 0C 5D 68 3D 38 00 00 00 00 00 01 00 58 02");
    EXPECT_EQ(Hex(r[18].Body), "C8 00 00 00 08 00 90 01 00 00 00 00 01 00 05 01 41 00 72 00 69 00 61 00 6C 00");
    EXPECT_EQ(r[19].Body, r[18].Body);
    EXPECT_EQ(Hex(r[22].Body), "00 00 00 00 F5 FF 20 00 00 00 00 00 00 00 00 00 00 00 C0 20");
    EXPECT_EQ(Hex(r[23].Body), "01 00 00 00 F5 FF 20 00 00 F4 00 00 00 00 00 00 00 00 C0 20");
    EXPECT_EQ(Hex(r[26].Body), "02 00 00 00 F5 FF 20 00 00 F4 00 00 00 00 00 00 00 00 C0 20");
    EXPECT_EQ(Hex(r[36].Body), "00 00 00 00 F5 FF 20 00 00 F4 00 00 00 00 00 00 00 00 C0 20");
    EXPECT_EQ(Hex(r[37].Body), "01 00 00 00 01 00 20 00 00 00 00 00 00 00 00 00 00 00 C0 20");

    // The inserted styles: FORMAT 50 and 51, font 5 (bold), XFs 16 (integer), 17 (date), 18 (captions).
    EXPECT_EQ(r[38].Body, std::string("\x32\x00\x09\x00\x00#,###,##0", 14));
    EXPECT_EQ(r[39].U16(0), 51u);
    EXPECT_EQ(r[39].Body.substr(5), "m/d/yyyy");
    EXPECT_EQ(r[40].U16(6), 700u);
    EXPECT_EQ(Hex(r[41].Body), "01 00 32 00 01 00 20 00 00 50 00 00 00 00 00 00 00 00 09 04");
    EXPECT_EQ(r[42].U16(2), 51u);
    EXPECT_EQ(Hex(r[43].Body), "05 00 00 00 01 00 20 00 00 58 00 00 00 00 00 00 00 00 09 04");

    // BOUNDSHEET points at the worksheet's BOF after both insertions.
    const TRecord& sheet = r[44];
    EXPECT_EQ(sheet.U32(0), r[48].Offset);
    EXPECT_EQ(sheet.Body.substr(4), std::string("\x00\x00\x07\x01S\0h\0e\0e\0t\0 \0001\0", 18));
    EXPECT_EQ(Hex(r[45].Body), "01 00 01 00");
    // Shared strings: the captions and the two texts, UTF-16 with the count in UTF-16 units.
    const TRecord& sst = r[46];
    EXPECT_EQ(sst.U32(0), 5u);
    EXPECT_EQ(sst.U32(4), 5u);
    EXPECT_EQ(sst.Body.substr(8, 5), std::string("\x01\x00\x01I\0", 5));
    EXPECT_EQ(sst.Body.substr(8 + 3 * 5), std::string("\x06\x00\x01J\0\xFC\0r\0g\0e\0n\0\x01\x00\x01\x71\x67", 3 + 12 + 5));

    EXPECT_EQ(Hex(r[53].Body), "FC A9 F1 D2 4D 62 50 3F");
    EXPECT_EQ(Hex(r[59].Body), "00 00 FF 00");
    EXPECT_EQ(Hex(r[60].Body), "C1 04");
    EXPECT_TRUE(r[61].Body.empty());  // no page header
    EXPECT_EQ(r[62].Body, std::string("\x0D\x00\x00Page &P of &N", 16));
    EXPECT_EQ(Hex(r[65].Body), "08 00");
    EXPECT_EQ(Hex(r[66].Body), "00 00 00 00 00 04 0F 00 00 00 00");  // I: data size 4
    EXPECT_EQ(Hex(r[67].Body), "01 00 01 00 00 FF 0F 00 00 00 00");
    EXPECT_EQ(Hex(r[69].Body), "00 00 00 00 03 00 00 00 00 00 03 00 00 00");

    // Cells: caption with the bold XF 18, numbers with their column's XF, texts by SST index.
    EXPECT_EQ(Hex(r[70].Body), "00 00 00 00 12 00 00 00 00 00");
    EXPECT_EQ(Hex(r[71].Body), "00 00 01 00 12 00 01 00 00 00");
    const TRecord* n = Cell(r, 1, 0);
    EXPECT_EQ(n->U16(4), 16u);
    EXPECT_EQ(NumberOf(*n), 7.0);
    EXPECT_EQ(Cell(r, 2, 1)->U32(6), 4u);
    EXPECT_EQ(Cell(r, 1, 2)->U16(4), 17u);
    EXPECT_EQ(NumberOf(*Cell(r, 1, 2)), 27150.0);
    EXPECT_EQ(NumberOf(*Cell(r, 2, 2)), 61.0);  // 1 March 1900
    EXPECT_EQ(Hex(r[79].Body), "B6 06 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00");
    EXPECT_EQ(Hex(r[80].Body), "03 00 00 00 00 00 00 01 00 00 00 00 00 00 00 00");
}

TEST_F(Xls, SharedStringsCountsAndBlocks) {
    TMemDataset numbers;
    numbers.AddField("N", TMemFieldType::Float);
    numbers.AppendRow({1.5});
    numbers.Open();
    e.SetAllowCaptions(false);
    auto r = Run(numbers);
    const TRecord* sst = Find(r, 0x00FC);
    ASSERT_NE(sst, nullptr);
    EXPECT_EQ(sst->Body, std::string(8, '\0'));
    EXPECT_EQ(Find(r, 0x003C), nullptr);

    TMemDataset texts;
    texts.AddField("T", TMemFieldType::String, 10);
    for (const char* t : {"a", "A", "a", ""}) texts.AppendRow({std::string(t)});
    texts.Open();
    r = Run(texts);
    EXPECT_EQ(Find(r, 0x00FC)->U32(0), 2u);
    EXPECT_EQ(Cell(r, 0, 0)->U32(6), 0u);
    EXPECT_EQ(Cell(r, 1, 0)->U32(6), 1u);
    EXPECT_EQ(Cell(r, 2, 0)->U32(6), 0u);
    EXPECT_EQ(Cell(r, 3, 0), nullptr);  // an empty text writes no cell

    // 632 strings of 13 bytes fill the SST record to exactly 8224 bytes; the 633rd begins a
    // CONTINUE record.
    TMemDataset many;
    many.AddField("T", TMemFieldType::String, 10);
    for (int i = 0; i < 700; ++i) many.AppendRow({"s" + std::to_string(1000 + i)});
    many.Open();
    r = Run(many);
    const TRecord* first = Find(r, 0x00FC);
    const TRecord* next = Find(r, 0x003C);
    ASSERT_NE(next, nullptr);
    EXPECT_EQ(first->Body.size(), 8224u);
    EXPECT_EQ(next->Body.substr(0, 13), std::string("\x05\x00\x01s\0" "1\0" "6\0" "3\0" "2\0", 13));
    EXPECT_EQ(next->Body.size(), 68u * 13);
    EXPECT_EQ(Find(r, 0x003C, 1), nullptr);
    // The sheet offset still points at the worksheet.
    const TRecord* sheet = Find(r, 0x0085);
    EXPECT_EQ(sheet->U32(0), Find(r, 0x0809, 1)->Offset);
}

TEST_F(Xls, LongTextsSplitAtCharactersAndTheLengthLimit) {
    TMemDataset ds;
    ds.AddField("T", TMemFieldType::String, 32767);
    ds.AppendRow({std::string("short")});
    ds.AppendRow({std::string(5000, 'x')});
    ds.AppendRow({std::string("after")});
    ds.AppendRow({std::string(32767, 'y')});
    ds.Open();
    e.SetAllowCaptions(false);
    auto r = Run(ds);
    // SST: the counts and "short"; the long text starts a CONTINUE with its header and 4110
    // characters, the rest follows with its option byte, then "after" and the 32767-character
    // text in five further parts.
    std::vector<size_t> sizes;
    for (const auto& rec : r)
        if (rec.Id == 0x00FC || rec.Id == 0x003C) sizes.push_back(rec.Body.size());
    const std::vector<size_t> expected = {8 + 13, 3 + 2 * 4110, 1 + 2 * 890 + 13, 8223, 8223, 8223, 8223,
                                          8223,   8223,         8223,            1 + 2 * 3991};
    EXPECT_EQ(sizes, expected);
    EXPECT_EQ(Find(r, 0x003C, 0)->Body.substr(0, 5), std::string("\x88\x13\x01x\0", 5));
    const TRecord* rest = Find(r, 0x003C, 1);
    EXPECT_EQ(rest->Body.substr(0, 3), std::string("\x01x\0", 3));
    EXPECT_EQ(rest->Body.substr(1 + 2 * 890, 5), std::string("\x05\x00\x01" "a\0", 5));
    EXPECT_EQ(Find(r, 0x003C, 2)->Body.substr(0, 5), std::string("\xFF\x7F\x01y\0", 5));
    EXPECT_EQ(Find(r, 0x003C, 3)->Body.substr(0, 3), std::string("\x01y\0", 3));
    size_t total = 0;
    for (size_t size : sizes) total += size + 4;
    EXPECT_EQ(Find(r, 0x000A)->Offset - Find(r, 0x00FC)->Offset, total);  // the globals' EOF follows

    // A surrogate pair at the end of the first part moves to the next one whole.
    TMemDataset pair;
    pair.AddField("T", TMemFieldType::String, 10000);
    pair.AppendRow({std::string(4109, 'a') + "\xF0\x9F\x98\x80" + std::string(100, 'b')});
    pair.Open();
    r = Run(pair);
    EXPECT_EQ(Find(r, 0x00FC)->Body.size(), 8u);
    EXPECT_EQ(Find(r, 0x003C, 0)->Body.size(), 3u + 2 * 4109);
    EXPECT_EQ(Find(r, 0x003C, 1)->Body.substr(0, 5), std::string("\x01\x3D\xD8\x00\xDE", 5));
    EXPECT_EQ(Find(r, 0x003C, 1)->Body.size(), 1u + 2 * 102);

    TMemDataset tooLong;
    tooLong.AddField("T", TMemFieldType::String, 40000);
    tooLong.AppendRow({std::string("fine")});
    tooLong.AppendRow({std::string(32768, 'z')});
    tooLong.Open();
    e.SetAllowCaptions(true);
    e.SetDataSet(&tooLong);
    try {
        e.DoExecute();
        FAIL() << "no error";
    } catch (const EOstrelError& error) {
        EXPECT_STREQ(error.what(), "Cell R2,C0: String length more than 32767 bytes");
    }
    // The workbook was still completed, without the long text.
    r = Records(e.Workbook);
    EXPECT_EQ(Find(r, 0x00FC)->U32(0), 2u);
    EXPECT_EQ(r.back().Id, 0x000A);
}

// Text of a LABELSST cell, through the SST entries of a run with short texts only.
std::string TextAt(const std::vector<TRecord>& r, int row, int col) {
    const TRecord* cell = Cell(r, row, col);
    if (!cell || cell->Id != 0x00FD) return "<none>";
    const TRecord* sst = Find(r, 0x00FC);
    size_t at = 8;
    for (uint32_t i = 0;; ++i) {
        const uint32_t n = sst->U16(at);
        std::string text;
        for (uint32_t k = 0; k < n; ++k) text += static_cast<char>(sst->U16(at + 3 + 2 * k));
        if (i == cell->U32(6)) return text;
        at += 3 + 2 * n;
    }
}

TEST_F(Xls, HeaderCaptionDataAndFooterLayout) {
    TMemDataset ds;
    FillNumbered(ds, 2);
    e.Header().Add("Title");
    e.Header().Add("a\tb\t\tc");
    e.Footer().Add("end\t");
    auto r = Run(ds);
    EXPECT_EQ(TextAt(r, 0, 0), "Title");
    EXPECT_EQ(TextAt(r, 1, 0), "a");
    EXPECT_EQ(TextAt(r, 1, 1), "b");
    EXPECT_EQ(TextAt(r, 1, 2), "<none>");
    EXPECT_EQ(TextAt(r, 1, 3), "c");
    EXPECT_EQ(TextAt(r, 2, 0), "ID");
    EXPECT_EQ(NumberOf(*Cell(r, 3, 0)), 1.0);
    EXPECT_EQ(TextAt(r, 5, 0), "end");
    EXPECT_EQ(Find(r, 0x0200)->U32(4), 6u);
    EXPECT_EQ(e.FirstDataRow(), 3);

    // Three header rows from one line: rows 1 and 2 only through the event.
    e.SetHeaderRows(3);
    e.Header().Clear();
    e.Header().Add("Only");
    std::vector<std::string> calls;
    e.OnGetHeaderParams = [&](TObject*, int col, int row, TxlsFormat& f, std::string& s) {
        if (row == 2 && col == 1) {
            s = "filled";
            f.Font.Style = {xfsItalic};  // stays for the following cells
        }
        if (col == 0) calls.push_back(std::to_string(row));
    };
    r = Run(ds);
    EXPECT_EQ(calls, (std::vector<std::string>{"0", "1", "2"}));
    EXPECT_EQ(TextAt(r, 2, 1), "filled");
    EXPECT_TRUE(e.Options().HeaderFormat.Font.Style.Contains(xfsItalic));
    EXPECT_EQ(TextAt(r, 3, 0), "ID");
    EXPECT_EQ(e.FirstDataRow(), 2);  // HeaderRows above the lines: the range starts in the header

    TCapturingXLS bare;
    bare.SetFileName(dir.File("bare.xls"));
    bare.SetAllowCaptions(false);
    TxlsFieldFormat* sum = bare.FieldFormats().Add();
    sum->FieldName = "id";
    sum->Aggregate = aggSum;
    bare.SetDataSet(&ds);
    bare.DoExecute();
    r = Records(bare.Workbook);
    EXPECT_EQ(NumberOf(*Cell(r, 0, 0)), 1.0);
    EXPECT_EQ(Cell(r, 2, 0)->Id, 0x0006);
    EXPECT_EQ(Cell(r, 2, 0)->U16(23), 0u);  // from row 0
    EXPECT_EQ(Cell(r, 2, 0)->U16(25), 1u);
}

TEST_F(Xls, TypedCellsNullsAndBooleans) {
    TMemDataset ds;
    ds.AddField("I", TMemFieldType::Integer);
    ds.AddField("B", TMemFieldType::Boolean);
    ds.AppendRow({TMemValue{}, true});
    ds.AppendRow({int64_t{2}, false});
    ds.AppendRow({int64_t{3}, false});
    ds.Open();
    e.SetAllowCaptions(false);
    e.OnGetExportText = [](TObject* sender, int col, std::string& text) {
        auto* x = static_cast<TCapturingXLS*>(sender);
        if (col == 1 && x->RecordCounter() == 1) text = "TRUE";  // BooleanTrue is "true"
        if (col == 1 && x->RecordCounter() == 2) text = "yes";
    };
    auto r = Run(ds);
    EXPECT_EQ(Cell(r, 0, 0)->Id, 0x0203);
    EXPECT_EQ(NumberOf(*Cell(r, 0, 0)), 0.0);
    EXPECT_EQ(Hex(Cell(r, 0, 1)->Body.substr(6)), "01 00");
    EXPECT_EQ(Hex(Cell(r, 1, 1)->Body.substr(6)), "01 00");
    EXPECT_EQ(Hex(Cell(r, 2, 1)->Body.substr(6)), "00 00");

    e.Formats().SetNullString("n/a");
    r = Run(ds);
    EXPECT_EQ(TextAt(r, 0, 0), "n/a");

    // A number that does not read fails the run; the workbook holds the rows before it.
    e.OnGetExportText = [](TObject* sender, int col, std::string& text) {
        if (col == 0 && static_cast<TCapturingXLS*>(sender)->RecordCounter() == 1) text = "x1";
    };
    EXPECT_THROW(e.DoExecute(), EConvertError);
    r = Records(e.Workbook);
    EXPECT_NE(Cell(r, 0, 0), nullptr);
    EXPECT_EQ(Cell(r, 1, 0), nullptr);
    EXPECT_EQ(r.back().Id, 0x000A);
}

TEST_F(Xls, StartColumnAggregatesAndEvents) {
    TMemDataset ds;
    ds.AddField("A", TMemFieldType::Integer);
    ds.AddField("B", TMemFieldType::Float);
    for (int i = 1; i <= 10; ++i) ds.AppendRow({int64_t{i}, i * 1.5});
    ds.Open();
    TxlsFieldFormat* b = e.FieldFormats().Add();
    b->FieldName = "B";
    b->Aggregate = aggSum;
    auto r = Run(ds);
    const TRecord* f = Cell(r, 11, 1);
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(Hex(f->Body.substr(6)),
              "00 00 00 00 00 00 00 00 02 00 00 00 00 00 0D 00 25 01 00 0A 00 01 C0 01 C0 42 01 04 00");
    EXPECT_EQ(f->U16(4), Cell(r, 1, 1)->U16(4));  // the column's XF when the style is default
    EXPECT_EQ(Find(r, 0x0200)->U32(4), 12u);

    // Two columns left free; an aggregate value on a column without aggregate.
    e.SetStartDataCol(2);
    b->Aggregate = aggNone;
    e.OnGetAggregateParams = [](TObject*, int col, TxlsFormat&, std::string&, std::string& value) {
        if (col == 2) value = "total";
    };
    int dataEvents = 0;
    e.OnGetDataParams = [&](TObject*, int, int, TxlsFormat& fmt, std::string&) {
        ++dataEvents;
        fmt.Fill.Pattern = ptSolid;  // the same style for every cell: one XF
    };
    r = Run(ds);
    EXPECT_EQ(Cell(r, 1, 0), nullptr);
    EXPECT_EQ(NumberOf(*Cell(r, 1, 2)), 1.0);
    EXPECT_EQ(Find(r, 0x007D)->U16(0), 2u);  // widths follow the data
    EXPECT_EQ(Find(r, 0x007D, 1)->U16(2), 3u);
    EXPECT_EQ(TextAt(r, 11, 2), "total");
    EXPECT_EQ(Find(r, 0x0200)->U32(4), 12u);
    EXPECT_EQ(Find(r, 0x0200)->U16(10), 4u);
    EXPECT_EQ(dataEvents, 20);
    EXPECT_EQ(Cell(r, 1, 2)->U16(4), Cell(r, 5, 2)->U16(4));
    EXPECT_NE(Cell(r, 1, 2)->U16(4), Cell(r, 1, 3)->U16(4));  // other number format

    // Only before-data cells on the aggregate row: not counted, the footer takes that row.
    e.OnGetAggregateParams = nullptr;
    e.OnGetBeforeDataParams = [](TObject*, int col, int row, TxlsFormat&, std::string& s) { s = "r" + std::to_string(row); };
    e.Footer().Add("foot");
    r = Run(ds);
    EXPECT_EQ(TextAt(r, 11, 0), "r11");
    EXPECT_EQ(TextAt(r, 12, 0), "<none>");
    EXPECT_EQ(Find(r, 0x0200)->U32(4), 12u);  // "foot" went into row 11 as well
}

// The FORMAT records' texts in number order.
std::vector<std::string> FormatTexts(const std::vector<TRecord>& records) {
    std::vector<std::string> texts;
    for (const auto& r : records)
        if (r.Id == 0x041E) texts.push_back(r.Body.substr(5));
    return texts;
}

TEST_F(Xls, NumberFormatsAreTheCodesOfTheColumnPatterns) {
    TFormatSettingsScope us(UsSettings());
    TMemDataset ds;
    ds.AddField("I", TMemFieldType::Integer);
    ds.AddField("F", TMemFieldType::Float);
    ds.AddField("C", TMemFieldType::Currency);
    ds.AddField("D", TMemFieldType::Date);
    ds.AddField("T", TMemFieldType::Time);
    ds.AddField("S", TMemFieldType::DateTime);
    ds.AddField("B", TMemFieldType::Boolean);
    ds.AddField("X", TMemFieldType::String, 5);
    ds.AddField("U", TMemFieldType::DateTime);
    ds.AppendRow({int64_t{1}, 2.5, 3.25, EncodeDate(2024, 7, 2), EncodeTime(15, 13, 0, 0),
                  EncodeDate(2024, 7, 2) + EncodeTime(15, 13, 0, 0), true, "x", 0.5});
    ds.Open();
    e.UserFormats().Add("X=@");                    // a text column's format is a code as it is
    e.UserFormats().Add("U=yyyy-mm-dd'T'hh:nn:ss.zzz");
    std::string aggregateFormat;
    e.OnGetAggregateParams = [&](TObject*, int col, TxlsFormat&, std::string& formatText, std::string&) {
        if (col == 4) aggregateFormat = formatText;
    };
    TxlsFieldFormat* t = e.FieldFormats().Add();
    t->FieldName = "T";
    t->Aggregate = aggMax;
    auto r = Run(ds);
    EXPECT_EQ(FormatTexts(r), (std::vector<std::string>{"#,###,##0", "#,###,##0.00", "00.00$", "m/d/yyyy",
                                                        "h:mm AM/PM", "m/d/yyyy h:mm AM/PM", "@",
                                                        "yyyy-mm-dd\"T\"hh:mm:ss.000"}));
    EXPECT_EQ(aggregateFormat, "h:mm AM/PM");  // the events see the workbook's code
    EXPECT_EQ(Cell(r, 1, 6)->U16(4), 15u);     // Booleans keep General

    // The same pattern from two columns' types gives one FORMAT record.
    e.UserFormats().Clear();
    e.Formats().SetTimeFormat("m/d/yyyy h:nn AMPM");
    r = Run(ds);
    EXPECT_EQ(FormatTexts(r).size(), 5u);
    EXPECT_EQ(Cell(r, 1, 4)->U16(4), Cell(r, 1, 5)->U16(4));
}

TEST_F(Xls, SheetLimits) {
    TMemDataset ds;
    FillNumbered(ds, TIB_OstrelXLS::kMaxRows + 4);
    e.Footer().Add("f");
    auto r = Run(ds);
    // Caption row, 65,534 data rows and the footer fill the sheet; five rows are left out.
    EXPECT_EQ(Find(r, 0x0200)->U32(4), 65536u);
    EXPECT_EQ(e.RowsLeftOut(), 6);
    EXPECT_EQ(Cell(r, 65535, 0)->U32(6), Find(r, 0x00FC)->U32(0) - 1);  // "f", the last text
    EXPECT_EQ(NumberOf(*Cell(r, 65534, 0)), 65534.0);

    e.SetStartDataCol(255);
    try {
        e.DoExecute();
        FAIL() << "no error";
    } catch (const EOstrelError& error) {
        EXPECT_STREQ(error.what(), "A worksheet has at most 256 columns; the export needs 257");
    }
}

}  // namespace
}  // namespace ostrel::test
