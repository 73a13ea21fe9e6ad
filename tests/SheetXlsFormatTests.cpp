// Cell styles: defaults, copying, comparing, the registry's numbering and the record bodies.
#include "TestSupport.h"
#include "exporters/sheet/IB_OstrelXLSFormats.h"

namespace ostrel::test {
namespace {

std::vector<uint8_t> Bytes(std::initializer_list<int> list) { return {list.begin(), list.end()}; }

std::vector<uint8_t> XFBody(const TxlsXFormat& x) {
    std::vector<uint8_t> b(20);
    x.BuildXFRecord(b.data());
    return b;
}

TEST(XlsFormats, DefaultsAndIsDefault) {
    TxlsFormat f;
    EXPECT_TRUE(f.IsDefault());
    f.Borders.Left.Color = clrRed;  // a colour without a line changes nothing
    EXPECT_TRUE(f.IsDefault());
    f.Fill.Foreground = clrWhite;
    EXPECT_FALSE(f.IsDefault());
    f.SetDefault();
    EXPECT_TRUE(f.IsDefault());
    f.Font.Name = "arial";  // names compare with case here
    EXPECT_FALSE(f.IsDefault());
    EXPECT_FALSE(f.Font.IsNameStored());

    TXLSOptions o;
    EXPECT_EQ(o.SheetTitle(), "Sheet 1");
    EXPECT_EQ(o.PageFooter, "Page &P of &N");
    EXPECT_TRUE(o.CaptionsFormat.Font.Style.Contains(xfsBold));
    EXPECT_FALSE(o.CaptionsFormat.IsDefault());
    EXPECT_TRUE(o.DataFormat.IsDefault());
    o.SetSheetTitle("");
    EXPECT_EQ(o.SheetTitle(), "Sheet1");
}

TEST(XlsFormats, ScreenFontsAndPalette) {
    TxlsFont f;
    TFont screen;
    screen.Name = "Courier New";
    screen.Size = 12;
    screen.Style = fsBold | fsUnderline | fsStrikeOut;
    screen.Color = clWindowText;
    f.Assign(screen);
    EXPECT_EQ(f.Color, clrBlack);
    EXPECT_EQ(f.Size, 12);
    EXPECT_EQ(f.Style, (TxlsFontStyles{xfsBold, xfsStrikeOut}));
    EXPECT_EQ(f.Underline, fulSingle);
    EXPECT_EQ(f.Name, "Courier New");
    screen.Color = clRed;
    f.Assign(screen);
    EXPECT_EQ(f.Color, clrRed);
    EXPECT_EQ(XlsPaletteIndex(clrRed), 10);
    EXPECT_EQ(XlsPaletteIndex(clrLihtGreen), 42);
    EXPECT_EQ(XlsScreenColor(clrOrange), 0x0066FF);  // #FF6600 as $BBGGRR
    EXPECT_EQ(XlsColorOfScreen(0x0066FF), clrBlack);
}

TEST(XlsFormats, FieldFormatsCopyStyleButNotNames) {
    TXLSOptions o;
    o.DataFormat.Font.Size = 14;
    TxlsFieldFormats list(nullptr, &o.DataFormat);
    TxlsFieldFormat* a = list.Add();
    EXPECT_EQ(a->Font.Size, 14);  // new items start as the data format
    a->FieldName = "Price";
    a->Aggregate = aggMax;
    a->Width = 7;
    TxlsFieldFormat* b = list.Add();
    b->FieldName = "Other";
    b->Assign(*a);
    EXPECT_EQ(b->FieldName, "Other");
    EXPECT_EQ(b->Aggregate, aggMax);
    EXPECT_EQ(b->Width, 7);
    EXPECT_EQ(list.IndexOf("PRICE"), 0);
    EXPECT_EQ(list.IndexOf("none"), -1);
    TxlsFieldFormats copy(nullptr, &o.DataFormat);
    copy.Assign(list);
    ASSERT_EQ(copy.Count(), 2);
    EXPECT_EQ(copy.Items(0)->FieldName, "");
    EXPECT_EQ(copy.Items(0)->GetDisplayName(), "TxlsFormat");
    EXPECT_EQ(b->GetDisplayName(), "Other");
    b->SetDefault();
    EXPECT_EQ(b->FieldName, "");
    EXPECT_EQ(b->Aggregate, aggNone);
}

TEST(XlsFormats, RegistryNumbering) {
    TxlsFormatRegistry r;
    const TxlsFont dataFont;
    EXPECT_EQ(r.GetXFIndex("General", nullptr, dataFont), 15);
    EXPECT_TRUE(r.XFormats.empty());
    TxlsFormat plain;
    EXPECT_EQ(r.GetXFIndex("General", &plain, dataFont), 16);
    EXPECT_EQ(r.XFormats[0]->Font, nullptr);
    EXPECT_EQ(r.XFormats[0]->NumberFormat, nullptr);

    TxlsFormat bold;
    bold.Font.Style = {xfsBold};
    EXPECT_EQ(r.GetXFIndex("0.00", &bold, dataFont), 17);
    EXPECT_EQ(r.GetXFIndex("0.00", &bold, dataFont), 17);  // nothing new the second time
    EXPECT_EQ(r.GetXFIndex("0.000", &bold, dataFont), 18);
    ASSERT_EQ(r.Fonts.size(), 1u);  // shared by both
    EXPECT_EQ(r.Fonts[0]->Index, 5);
    ASSERT_EQ(r.NumberFormats.size(), 2u);
    EXPECT_EQ(r.NumberFormats[0]->Index, 50);
    EXPECT_EQ(r.NumberFormats[1]->Index, 51);
    EXPECT_EQ(r.XFormats[2]->Font, r.XFormats[1]->Font);

    TxlsFormat named;
    named.Font.Name = "ARIAL";
    EXPECT_EQ(r.GetXFIndex("General", &named, dataFont), 19);
    EXPECT_EQ(r.Fonts.size(), 2u);
    EXPECT_EQ(r.XFIndexOf("nothing"), 15);
    EXPECT_EQ(r.NumberFormatOf(18), "0.000");
    EXPECT_EQ(r.NumberFormatOf(15), "General");
    EXPECT_THROW(r.GetXFIndex(std::string(256, '0'), nullptr, dataFont), EOstrelError);
    r.Reset();
    EXPECT_EQ(r.GetXFIndex("0.00", nullptr, dataFont), 16);
    EXPECT_EQ(r.NumberFormats[0]->Index, 50);
}

TEST(XlsFormats, RecordBodies) {
    TxlsFont f;
    f.Size = 12;
    f.Style = {xfsBold, xfsItalic, xfsStrikeOut};
    f.Color = clrRed;
    f.Script = fscSubscript;
    f.Underline = fulDoubleAccounting;
    f.Name = "Tahoma";
    std::vector<uint8_t> b(64);
    ASSERT_EQ(f.BuildFontRecord(b.data()), 28);
    b.resize(28);
    EXPECT_EQ(b, Bytes({0xF0, 0x00, 0x0A, 0x00, 0x0A, 0x00, 0xBC, 0x02, 0x02, 0x00, 0x22, 0x00, 0x01, 0x00, 6, 0x01,
                        'T', 0, 'a', 0, 'h', 0, 'o', 0, 'm', 0, 'a', 0}));

    TxlsTextFormat t;
    t.Index = 50;
    t.Text = "0.00";
    b.assign(64, 0);
    ASSERT_EQ(t.BuildFormatRecord(b.data()), 9);
    b.resize(9);
    EXPECT_EQ(b, Bytes({50, 0, 4, 0, 0x00, '0', '.', '0', '0'}));
    t.Text = "0 €";  // beyond ASCII: UTF-16
    b.assign(64, 0);
    ASSERT_EQ(t.BuildFormatRecord(b.data()), 11);
    b.resize(11);
    EXPECT_EQ(b, Bytes({50, 0, 3, 0, 0x01, '0', 0, ' ', 0, 0xAC, 0x20}));

    // No font, no number format, no borders: the default template with fill and alignment.
    TxlsXFormat x;
    EXPECT_EQ(XFBody(x), Bytes({0x01, 0, 0, 0, 0x01, 0, 0x20, 0, 0x00, 0x50, 0, 0, 0, 0, 0, 0, 0, 0, 0x09, 0x04}));

    TxlsFont registered;
    registered.Index = 5;
    TxlsTextFormat nf;
    nf.Index = 51;
    x.Font = &registered;
    x.NumberFormat = &nf;
    x.Alignment.Horizontal = halRight;
    x.Alignment.Vertical = valCenter;
    x.Wrap = true;
    x.Borders.Left = {};
    x.Borders.Left.Style = bstThin;
    x.Borders.Left.Color = clrRed;                      // 10
    x.Borders.Bottom.Style = bstDouble;                 // 6
    x.Borders.Bottom.Color = clrBlue;                   // 12
    x.Borders.DiagUp.Style = bstDashed;                 // 3
    x.Borders.DiagUp.Color = clrGreen;                  // 17
    x.Borders.Right.Color = clrYellow;                  // no line: colour not written
    x.Fill.Pattern = ptSolid;
    x.Fill.Background = clrYellow;                      // 13
    x.Fill.Foreground = clrDarkBlue;                    // 18
    // offset 14: bottom colour 12 << 7, diagonal colour 17 << 14, style 3 << 21, pattern 1 << 26
    const uint32_t tb = (12u << 7) | (17u << 14) | (3u << 21) | (1u << 26);
    EXPECT_EQ(XFBody(x), Bytes({5, 0, 51, 0, 0x01, 0, 0x1B, 0, 0x00, 0x78, 0x01, 0x60, 0x0A, 0x80,
                                 static_cast<int>(tb & 0xFF), static_cast<int>((tb >> 8) & 0xFF),
                                 static_cast<int>((tb >> 16) & 0xFF), static_cast<int>(tb >> 24),
                                 0x0D, 0x09}));
}

}  // namespace
}  // namespace ostrel::test
