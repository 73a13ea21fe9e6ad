// Cell styles: defaults, copying, comparing, the registry's numbering and the record bodies;
// the number-format codes translated from the engine's patterns.
#include "TestSupport.h"
#include "exporters/sheet/IB_OstrelXLSFormats.h"
#include "exporters/sheet/XlsNumberFormat.h"

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


// ---- number-format codes from the engine's patterns

std::string NumberCode(const std::string& pattern) { return XlsNumberFormat(pattern, TXlsValueKind::Number); }
std::string DateTimeCode(const std::string& pattern) { return XlsNumberFormat(pattern, TXlsValueKind::DateTime); }

TEST(XlsNumberFormats, DefaultPatternsOfTheUsConventions) {
    TFormatSettingsScope us(UsSettings());
    TOstrelFormats f;
    EXPECT_EQ(NumberCode(f.IntegerFormat()), "#,###,##0");
    EXPECT_EQ(NumberCode(f.FloatFormat()), "#,###,##0.00");
    EXPECT_EQ(NumberCode(f.CurrencyFormat()), "00.00$");
    EXPECT_EQ(XlsNumberFormat(f.DateFormat(), TXlsValueKind::Date), "m/d/yyyy");
    EXPECT_EQ(DateTimeCode(f.TimeFormat()), "h:mm AM/PM");
    // The timestamp pattern that showed as "15:Tue A7P7" and as a bare serial number.
    EXPECT_EQ(f.DateTimeFormat(), "m/d/yyyy h:nn AMPM");
    EXPECT_EQ(DateTimeCode(f.DateTimeFormat()), "m/d/yyyy h:mm AM/PM");
    EXPECT_EQ(NumberCode(""), "General");
    EXPECT_EQ(DateTimeCode(""), "m/d/yyyy h:mm:ss AM/PM");  // the engine's c
}

TEST(XlsNumberFormats, WorkbookCodesStayAsTheyAre) {
    TFormatSettingsScope de(GermanSettings());
    // Codes with what only the workbook's language has.
    for (const char* code : {"0.0%", "[Red]0.00", "#,##0.00_);(#,##0.00)", "@", "General", "# ?/?", "0.00*-",
                             "\\$0.00", "[$-407]dd.mm.yyyy", "[h]:mm"}) {
        EXPECT_EQ(NumberCode(code), code);
        EXPECT_EQ(DateTimeCode(code), code);
    }
    EXPECT_EQ(DateTimeCode("hh:mm:ss.00"), "hh:mm:ss.00");  // fractions of a second in the codes' own form
    // Codes whose translation is the same text, under the US conventions.
    TFormatSettingsScope us(UsSettings());
    for (const char* code : {"m/d/yyyy h:mm AM/PM", "yyyy-mm-dd hh:mm:ss", "YYYY-MM-DD HH:MM:SS", "dddd, mmmm d, yyyy",
                             "d-mmm-yy", "h:mm:ss a/p", "Dd/Mm/yY"})
        EXPECT_EQ(DateTimeCode(code), code);
    for (const char* code : {"#,##0.00", "0.00", "#,##0.00 \"€\"", "00.00€", "0.00E+00", "0.0#", "$ #,##0.00",
                             "#,##0.00;(#,##0.00);\"-\"", "0.00;-0.00"})
        EXPECT_EQ(NumberCode(code), code);
}

TEST(XlsNumberFormats, DateTimeElements) {
    TFormatSettingsScope us(UsSettings());
    const std::pair<const char*, const char*> cases[] = {
        {"d dd ddd dddd", "d dd ddd dddd"},
        {"ddddd", "m/d/yyyy"},                            // the locale's short date
        {"dddddd", "dddd, mmmm d, yyyy"},                 // and long date
        {"ddddddd", "dddd, mmmm d, yyyy"},
        {"m mm mmm mmmm mmmmm", "m mm mmm mmmm mmmm"},    // five m would be the initial
        {"y yy yyy yyyy", "yy yy yyyy yyyy"},             // one or three y are no codes of every reader
        {"h hh hhh", "h hh hh"},
        {"h:m", "h:m"},                                   // m after h is the minute in both
        {"n nn nnn", "m mm mm"},
        {"NN:ss", "mm:ss"},
        {"hh:nn", "hh:mm"},
        {"s ss sss", "s ss ss"},
        {"ss.z", "ss.0"},                                 // fractions of a second after the point
        {"ss.zzz", "ss.000"},
        {"ss\".\"zzz", "ss.000"},
        {"ss.zzzz", "ss.000"},
        {"ss:zzz", "ss:\"000\""},                         // elsewhere the zeros of whole seconds
        {"zzz", "\"000\""},
        {"ss.", "ss\".\""},                               // a point after seconds is no fraction
        {"ss. d", "ss\".\" d"},
        {"t", "h:mm AM/PM"},
        {"tt", "h:mm:ss AM/PM"},
        {"c", "m/d/yyyy h:mm:ss AM/PM"},
        {"h:nn ampm", "h:mm AM/PM"},                      // the locale's strings
        {"h:nn AMPM", "h:mm AM/PM"},
        {"h:nn am/pm", "h:mm am/pm"},                     // as written
        {"h:nn AM/PM", "h:mm AM/PM"},
        {"h:nn Am/pM", "h:mm AM/PM"},                     // mixed case: capitals
        {"h:nn a/p", "h:mm a/p"},
        {"h:nn A/P", "h:mm A/P"},
        {"h a", "h \"a\""},                               // a lone a is a literal
        {"d/m:s", "d/m:s"},
        {"'at' h", "\"at\" h"},                           // literals: quoted in double quotes
        {"\"at\" h", "\"at\" h"},
        {"'say \"hi\"'", "\"say \"\\\"\"hi\"\\\""},
        {"'unclosed", "\"unclosed\""},
        {"d.m.yy", "d.m.yy"},
        {"d, m", "d, m"},
        {"d x m", "d \"x\" m"},                           // letters, digits and signs of the codes
        {"dQQm", "d\"QQ\"m"},
        {"d1m", "d\"1\"m"},
        {"d#m;d", "d\"#\"m\";\"d"},
        {" d", "\" \"d"},                                 // a leading blank is dropped by one reader
        {"d|m€", "d|m€"},
    };
    for (auto [pattern, code] : cases) EXPECT_EQ(DateTimeCode(pattern), code) << pattern;
    // A pattern of whole days: c without the time the engine leaves out.
    EXPECT_EQ(XlsNumberFormat("c", TXlsValueKind::Date), "m/d/yyyy");
    EXPECT_EQ(XlsNumberFormat("dddd c", TXlsValueKind::Date), "dddd m/d/yyyy");
}

TEST(XlsNumberFormats, DateTimeCodesFollowTheLocale) {
    TFormatSettings s = GermanSettings();
    TFormatSettingsScope de(s);
    EXPECT_EQ(XlsNumberFormat("ddddd", TXlsValueKind::Date), "dd.mm.yyyy");
    EXPECT_EQ(DateTimeCode("c"), "dd.mm.yyyy hh:mm:ss");
    EXPECT_EQ(DateTimeCode("dddddd"), "dddd, d. mmmm yyyy");
    EXPECT_EQ(DateTimeCode("ddddd t"), "dd.mm.yyyy hh:mm");

    s.TimeSeparator = '.';
    s.DateSeparator = '-';
    s.TimeAMString = "am";
    s.TimePMString = "pm";
    s.ShortTimeFormat = "h:nn ampm";
    SetFormatSettings(s);
    EXPECT_EQ(DateTimeCode("dd/mm/yyyy hh:nn:ss"), "dd-mm-yyyy hh.mm.ss");
    EXPECT_EQ(DateTimeCode("hh:nn:ss:zzz"), "hh.mm.ss.000");  // the point is the time separator
    EXPECT_EQ(DateTimeCode("t"), "h.mm am/pm");
    s.DateSeparator = 'x';
    s.TimeAMString = "A";
    s.TimePMString = "P";
    SetFormatSettings(s);
    EXPECT_EQ(DateTimeCode("d/m ampm"), "d\"x\"m A/P");
    s.TimeAMString = "a";
    s.TimePMString = "p";
    SetFormatSettings(s);
    EXPECT_EQ(DateTimeCode("ampm"), "a/p");
    s.TimeAMString = "vorm.";
    s.TimePMString = "nachm.";
    SetFormatSettings(s);
    EXPECT_EQ(DateTimeCode("ampm"), "AM/PM");  // what a code can show

    // Nested locale patterns stop two levels down, as the engine's formatter does.
    s.ShortDateFormat = "ddddd";
    s.LongTimeFormat = "tt";
    SetFormatSettings(s);
    EXPECT_EQ(DateTimeCode("ddddd"), "\"\"");  // nothing, as the engine shows
    EXPECT_EQ(DateTimeCode("tt"), "\"\"");
}

TEST(XlsNumberFormats, NumberElements) {
    TFormatSettingsScope us(UsSettings());
    const std::pair<const char*, const char*> cases[] = {
        {"0", "0"},
        {"#", "#"},
        {"0#", "00"},                                     // at least as many digits as from the first 0
        {"#0#.#0#", "#00.00#"},
        {"0.##", "0.##"},
        {"0.", "0"},                                      // no point without decimals
        {"0.0.0", "0.00"},                                // only the first point counts
        {".00", "#.00"},                                  // the integer digits where the point is
        {"\"x\"", "\"x\"#"},
        {"#,###,##0", "#,###,##0"},                       // grouping
        {"#,##0,", "#,##0"},                              // a trailing comma would divide by 1000
        {"#,##0,.00", "#,##0.00"},
        {"0,", "#,0"},
        {"00,", "0,0"},
        {"0.00,", "#,0.00"},
        {",.00", "#,#.00"},
        {"0.00E+00", "0.00E+00"},                         // scientific notation
        {"#.##E-0", "0.##E-0"},
        {".00E+00", "0.00E+00"},
        {"0.E+00", "0E+00"},
        {"0E+", "0E+0"},
        {"0.0E+00000", "0.0E+0000\"0\""},                 // four exponent digits at most
        {"0.0e-00", "0.0e-00"},
        {"##0.0E+0", "##0.0E+0"},                         // as written: no code keeps three integer digits
        {"#,##0.0E+00", "###0.0E+00"},
        {"0.00E+00 #", "0.00E+00 \"#\""},                 // everything after the exponent is literal
        {"0;(0)", "0;(0)"},                               // sections
        {"0;", "0"},                                      // an empty negative section: the first one with a minus
        {"0;;\"zero\"", "0;-0;\"zero\""},
        {"0;(0);", "0;(0)"},
        {";(0.00)", "General;(0.00)"},
        {"0;\"neg\";\"zero\"", "0;\"neg\"#;\"zero\""},
        {"0;(0);zero;more", "0;(0);\"zero;more\""},       // a fourth section is text of the third
        {"0 kg", "0 \"kg\""},                              // literals
        {"0 'kg'", "0 \"kg\""},
        {"'a\"b'0", "\"a\"\\\"\"b\"0"},
        {"0/0", "0\"/\"0"},
        {"1,000", "\"1\"0,00"},
        {"$-+()!^&~{}<>=| 0", "$-+()!^&~{}<>=| 0"},
        {"0€", "0€"},
        {" 0", "\" \"0"},
    };
    for (auto [pattern, code] : cases) EXPECT_EQ(NumberCode(pattern), code) << pattern;
}

TEST(XlsNumberFormats, WhatMarksAWorkbookCode) {
    EXPECT_TRUE(IsXlsFormatCode("0.0%", TXlsValueKind::Number));
    EXPECT_FALSE(IsXlsFormatCode("0.0\"%\"", TXlsValueKind::Number));  // quoted: the engine's literal
    EXPECT_FALSE(IsXlsFormatCode("0.0'%'", TXlsValueKind::Number));
    EXPECT_TRUE(IsXlsFormatCode("GENERAL", TXlsValueKind::Number));
    EXPECT_TRUE(IsXlsFormatCode("h:mm:ss.0", TXlsValueKind::DateTime));
    EXPECT_FALSE(IsXlsFormatCode("h:mm:ss.0", TXlsValueKind::Number));
    EXPECT_FALSE(IsXlsFormatCode("h:nn:ss.zzz", TXlsValueKind::DateTime));
    EXPECT_FALSE(IsXlsFormatCode("m/d/yyyy h:mm AM/PM", TXlsValueKind::DateTime));
}

}  // namespace
}  // namespace ostrel::test
