#include "dialog/DialogOptionsFile.h"

#include <array>
#include <span>

#include "dialog/DialogExporters.h"
#include "dialog/DialogSettings.h"
#include "engine/IB_OstrelColor.h"
#include "platform/IniFile.h"

namespace ostrel {

namespace {

constexpr const char* kGeneral = "GENERAL";
constexpr const char* kFormats = "FORMATS";
constexpr const char* kUserFormats = "USER_FORMATS";
constexpr const char* kFields = "FIELDS";
constexpr const char* kHeader = "HEADER";
constexpr const char* kFooter = "FOOTER";
constexpr const char* kCaptions = "CAPTIONS";
constexpr const char* kWidth = "WIDTH";
constexpr const char* kAlign = "ALIGN";
constexpr const char* kXLS = "XLS";
constexpr const char* kXLSField = "XLS_FIELD_";
constexpr const char* kRTF = "RTF";
constexpr const char* kHTML = "HTML";
constexpr const char* kXML = "XML";
constexpr const char* kTXT = "TXT";
constexpr const char* kCSV = "CSV";
constexpr const char* kSQL = "SQL";
constexpr const char* kDefaultAlign = "Left";

// A key stored from and read into one setting; `Max` bounds an enumeration's ordinal (-1: a
// plain number), so that no unknown ordinal reaches an exporter.
struct TKey {
    const char* Key;
    TDialogSetting Id;
    int Max = -1;
};

constexpr std::array<TKey, 8> kGeneralKeys = {{
    {"ExportType", dsExportType},
    {"FileName", dsFileName},
    {"ShowFile", dsShowFile},
    {"PrintFile", dsPrintFile},
    {"GoToFirstRecord", dsGoToFirstRecord},
    {"ExportRecCount", dsExportRecCount},
    {"SkipRecCount", dsSkipRecCount},
    {"AllowCaptions", dsAllowCaptions},
}};

constexpr std::array<TKey, 9> kFormatKeys = {{
    {"Integer", dsIntegerFormat},
    {"Float", dsFloatFormat},
    {"Date", dsDateFormat},
    {"Time", dsTimeFormat},
    {"DateTime", dsDateTimeFormat},
    {"Currency", dsCurrencyFormat},
    {"BooleanTrue", dsBooleanTrue},
    {"BooleanFalse", dsBooleanFalse},
    {"NullString", dsNullString},
}};

constexpr std::array<TKey, 3> kXLSKeys = {{
    {"PageHeader", dsXLSPageHeader},
    {"PageFooter", dsXLSPageFooter},
    {"SheetTitle", dsXLSSheetTitle},
}};

constexpr std::array<TKey, 22> kHTMLKeys = {{
    {"Title", dsHTMLTitle},
    {"CSS", dsHTMLUsingCSS, usExternal},
    {"CSSFile", dsHTMLCSSFileName},
    {"FileRecCount", dsHTMLFileRecCount},
    {"GenerateIndex", dsHTMLGenerateIndex},
    {"FontName", dsHTMLFontName},
    {"BackgroundFile", dsHTMLBackground},
    {"BodyAdvanced", dsHTMLBodyAdvanced},
    {"CellPadding", dsHTMLCellPadding},
    {"CellSpacing", dsHTMLCellSpacing},
    {"BorderWidth", dsHTMLBorderWidth},
    {"TableAdvanced", dsHTMLTableAdvanced},
    {"BackgroundColor", dsHTMLBackgroundColor},
    {"FontColor", dsHTMLFontColor},
    {"HeadBackgroundColor", dsHTMLHeadBackgroundColor},
    {"HeadFontColor", dsHTMLHeadFontColor},
    {"OddRowBackgroundColor", dsHTMLOddRowBackgroundColor},
    {"EvenRowBackgroundColor", dsHTMLEvenRowBackgroundColor},
    {"DataFontColor", dsHTMLDataFontColor},
    // The file format has always spelled the link keys this way.
    {"LonkColor", dsHTMLLinkColor},
    {"VLonkColor", dsHTMLVLinkColor},
    {"ALonkColor", dsHTMLALinkColor},
}};

constexpr std::array<TKey, 2> kXMLKeys = {{{"Standalone", dsXMLStandalone}, {"Encoding", dsXMLEncoding}}};
constexpr std::array<TKey, 2> kTXTKeys = {{{"AutoCalcColWidth", dsTXTAutoCalcColWidth}, {"Spacing", dsTXTSpacing}}};
constexpr std::array<TKey, 2> kCSVKeys = {{{"QuoteStrings", dsCSVQuoteStrings}, {"Comma", dsCSVComma}}};

constexpr std::array<TKey, 6> kSQLKeys = {{
    {"TableName", dsSQLTableName},
    {"CreateTable", dsSQLCreateTable},
    {"CommitRecCount", dsSQLCommitRecCount},
    {"CommitAfterScript", dsSQLCommitAfterScript},
    {"CommitStatement", dsSQLCommitStatement},
    {"StatementTerm", dsSQLStatementTerm},
}};

constexpr TKey kRTFOrientation = {"PageOrientation", dsRTFPageOrientation, poLandscape};

bool HasWidth(int type) { return type == aeXLS || type == aeWord || type == aeRTF || type == aeTXT; }
bool HasAlign(int type) { return type == aeWord || type == aeRTF || type == aeHTML || type == aeTXT; }
// The grid column of the widths: beside the caption for workbooks, after the alignment else.
int WidthColumn(int type) { return type == aeXLS ? 2 : 3; }
constexpr int kAlignColumn = 2;

std::string CharText(int code) { return code == 0 ? std::string() : std::string(1, static_cast<char>(code)); }

int OrDefault(int value, int def, int max) { return max >= 0 && (value < 0 || value > max) ? def : value; }

TColor ReadColor(const TIniFile& ini, const std::string& section, const std::string& key, TColor def) {
    return StringToColor(ini.ReadString(section, key, ColorToString(def)));
}

void WriteKey(TIniFile& ini, const std::string& section, const TKey& k, const TOstrelDialogSettings& s) {
    switch (TOstrelDialogSettings::Kind(k.Id)) {
        case skString: ini.WriteString(section, k.Key, s.Str(k.Id)); break;
        case skInteger: ini.WriteInteger(section, k.Key, s.Int(k.Id)); break;
        case skBoolean: ini.WriteBool(section, k.Key, s.Bool(k.Id)); break;
        case skColor: ini.WriteString(section, k.Key, ColorToString(s.Int(k.Id))); break;
        case skChar: ini.WriteString(section, k.Key, CharText(s.Int(k.Id))); break;
    }
}

// `defaults` holds the read defaults in the same settings.
void ReadKey(const TIniFile& ini, const std::string& section, const TKey& k, const TOstrelDialogSettings& defaults,
             TOstrelDialogSettings& s) {
    switch (TOstrelDialogSettings::Kind(k.Id)) {
        case skString: s.SetStr(k.Id, ini.ReadString(section, k.Key, defaults.Str(k.Id))); break;
        case skInteger: {
            const int def = defaults.Int(k.Id);
            s.SetInt(k.Id, OrDefault(ini.ReadInteger(section, k.Key, def), def, k.Max));
            break;
        }
        case skBoolean: s.SetBool(k.Id, ini.ReadBool(section, k.Key, defaults.Bool(k.Id))); break;
        case skColor: s.SetInt(k.Id, ReadColor(ini, section, k.Key, defaults.Int(k.Id))); break;
        case skChar: {
            const std::string text = ini.ReadString(section, k.Key, CharText(defaults.Int(k.Id)));
            s.SetInt(k.Id, text.empty() ? 0 : static_cast<unsigned char>(text[0]));
            break;
        }
    }
}

void WriteKeys(TIniFile& ini, const char* section, std::span<const TKey> keys, const TOstrelDialogSettings& s) {
    for (const TKey& k : keys) WriteKey(ini, section, k, s);
}

void ReadKeys(const TIniFile& ini, const char* section, std::span<const TKey> keys,
              const TOstrelDialogSettings& defaults, TOstrelDialogSettings& s) {
    for (const TKey& k : keys) ReadKey(ini, section, k, defaults, s);
}

// ---- RTF fonts ----

struct TFontKeys {
    const char* Prefix;
    TFont TRTFOptions::*Font;
};
constexpr std::array<TFontKeys, 2> kRTFFonts = {{{"DefFont", &TRTFOptions::DefaultFont},
                                                 {"HeaderFont", &TRTFOptions::HeaderFont}}};

struct TStyleKey {
    const char* Suffix;
    TFontStyle Style;
};
constexpr std::array<TStyleKey, 4> kFontStyles = {{
    {"Bold", fsBold}, {"Italic", fsItalic}, {"Underline", fsUnderline}, {"StrikeOut", fsStrikeOut}}};

void WriteFont(TIniFile& ini, const std::string& p, const TFont& f) {
    ini.WriteString(kRTF, p + "Name", f.Name);
    for (const TStyleKey& st : kFontStyles) ini.WriteBool(kRTF, p + st.Suffix, (f.Style & st.Style) != 0);
    ini.WriteInteger(kRTF, p + "Size", f.Size);
    ini.WriteString(kRTF, p + "Color", ColorToString(f.Color));
    ini.WriteInteger(kRTF, p + "Charset", f.Charset);
}

// Straight into the exporter's font, key by key, so that a bad colour keeps what came before.
void ReadFont(const TIniFile& ini, const std::string& p, TFont& f) {
    f.Name = ini.ReadString(kRTF, p + "Name", f.Name);
    for (const TStyleKey& st : kFontStyles) {
        if (ini.ReadBool(kRTF, p + st.Suffix, (f.Style & st.Style) != 0)) f.Style |= st.Style;
        else f.Style &= ~static_cast<TFontStyles>(st.Style);
    }
    f.Size = ini.ReadInteger(kRTF, p + "Size", f.Size);
    f.Color = ReadColor(ini, kRTF, p + "Color", f.Color);
    f.Charset = ini.ReadInteger(kRTF, p + "Charset", f.Charset);
}

// ---- Excel cell formats ----

TColor ScreenOf(TxlsColor c) { return XlsScreenColor(c); }

void WriteXlsColor(TIniFile& ini, const std::string& section, const char* key, TxlsColor c) {
    ini.WriteString(section, key, ColorToString(ScreenOf(c)));
}

// The first palette entry painted in that colour; a colour off the palette is black.
TxlsColor PaletteColorOf(TColor screen) {
    for (int i = 0; i < kXlsColorCount; ++i)
        if (ScreenOf(static_cast<TxlsColor>(i)) == screen) return static_cast<TxlsColor>(i);
    return clrBlack;
}

TxlsColor ReadXlsColor(const TIniFile& ini, const std::string& section, const char* key, TxlsColor def) {
    return PaletteColorOf(ReadColor(ini, section, key, ScreenOf(def)));
}

struct TBorderKeys {
    const char* Style;
    const char* Color;
    TxlsBorder TxlsBorders::*Side;
};
constexpr std::array<TBorderKeys, 4> kBorders = {{
    {"BorderTop", "BorderTopColor", &TxlsBorders::Top},
    {"BorderBottom", "BorderBottomColor", &TxlsBorders::Bottom},
    {"BorderLeft", "BorderLeftColor", &TxlsBorders::Left},
    {"BorderRight", "BorderRightColor", &TxlsBorders::Right},
}};

struct TXlsStyleKey {
    const char* Key;
    TxlsFontStyle Style;
};
constexpr std::array<TXlsStyleKey, 3> kXlsStyles = {{
    {"FontBold", xfsBold}, {"FontItalic", xfsItalic}, {"FontStrikeOut", xfsStrikeOut}}};

void WriteCellFormat(TIniFile& ini, const std::string& s, const TxlsFieldFormat& f) {
    ini.WriteString(s, "FontName", f.Font.Name);
    ini.WriteInteger(s, "FontSize", f.Font.Size);
    WriteXlsColor(ini, s, "FontColor", f.Font.Color);
    for (const TXlsStyleKey& st : kXlsStyles) ini.WriteBool(s, st.Key, f.Font.Style.Contains(st.Style));
    ini.WriteInteger(s, "FontUnderline", f.Font.Underline);
    ini.WriteInteger(s, "HorAlignment", f.Alignment.Horizontal);
    ini.WriteInteger(s, "VertAlignment", f.Alignment.Vertical);
    for (const TBorderKeys& b : kBorders) {
        ini.WriteInteger(s, b.Style, (f.Borders.*b.Side).Style);
        WriteXlsColor(ini, s, b.Color, (f.Borders.*b.Side).Color);
    }
    ini.WriteInteger(s, "FillPattern", f.Fill.Pattern);
    WriteXlsColor(ini, s, "FillBackground", f.Fill.Background);
    WriteXlsColor(ini, s, "FillForeground", f.Fill.Foreground);
    ini.WriteInteger(s, "Aggregate", f.Aggregate);
}

// An ordinal of an enumeration ending at `last`; anything else keeps the default.
template <typename E>
E ReadOrdinal(const TIniFile& ini, const std::string& s, const char* key, E def, E last) {
    return static_cast<E>(OrDefault(ini.ReadInteger(s, key, def), def, last));
}

// Reads into `f`, which holds the reset values serving as defaults.
void ReadCellFormat(const TIniFile& ini, const std::string& s, bool fixed, TxlsFieldFormat& f) {
    f.Font.Name = ini.ReadString(s, "FontName", f.Font.Name);
    f.Font.Size = ini.ReadInteger(s, "FontSize", f.Font.Size);
    f.Font.Color = ReadXlsColor(ini, s, "FontColor", f.Font.Color);
    for (const TXlsStyleKey& st : kXlsStyles) {
        if (ini.ReadBool(s, st.Key, f.Font.Style.Contains(st.Style))) f.Font.Style.Include(st.Style);
        else f.Font.Style.Exclude(st.Style);
    }
    f.Font.Underline = ReadOrdinal(ini, s, "FontUnderline", f.Font.Underline, fulDoubleAccounting);
    f.Alignment.Horizontal = ReadOrdinal(ini, s, "HorAlignment", f.Alignment.Horizontal, halFill);
    f.Alignment.Vertical = ReadOrdinal(ini, s, "VertAlignment", f.Alignment.Vertical, valJustify);
    for (const TBorderKeys& b : kBorders) {
        TxlsBorder& side = f.Borders.*b.Side;
        side.Style = ReadOrdinal(ini, s, b.Style, side.Style, bstSlantedDashDot);
        side.Color = ReadXlsColor(ini, s, b.Color, side.Color);
    }
    f.Fill.Pattern = ReadOrdinal(ini, s, "FillPattern", f.Fill.Pattern, ptThinThinSpots);
    f.Fill.Background = ReadXlsColor(ini, s, "FillBackground", f.Fill.Background);
    f.Fill.Foreground = ReadXlsColor(ini, s, "FillForeground", f.Fill.Foreground);
    if (!fixed) f.Aggregate = ReadOrdinal(ini, s, "Aggregate", f.Aggregate, aggMax);
}

bool IsXlsFieldSection(const std::string& name) { return UpperCase(name).find(kXLSField) != std::string::npos; }

void ReadXlsFieldSections(const TIniFile& ini, TOstrelXLSFormatList& list) {
    list.ResetAllFormats();
    const std::string prefix = kXLSField;
    for (const std::string& section : ini.ReadSections()) {
        if (section.size() < prefix.size() || !SameText(section.substr(0, prefix.size()), prefix)) continue;
        const int index = list.IndexOf(section.substr(prefix.size()));
        if (index < 0) continue;
        TxlsFieldFormat format;
        format.Assign(list.Format(index));
        try {
            ReadCellFormat(ini, section, list.Entry(index).Fixed, format);
        } catch (...) {
            list.AssignFormat(index, format);  // the keys before the bad one stay read
            throw;
        }
        list.AssignFormat(index, format);
    }
}

// ---- the common pages ----

void SetLines(const TIniFile& ini, const char* section, TStrings& lines) {
    lines.Clear();
    for (const std::string& key : ini.ReadSection(section)) lines.Add(ini.ReadString(section, key, ""));
}

void WriteLines(TIniFile& ini, const char* section, const TStrings& lines) {
    for (int i = 0; i < lines.Count(); ++i) ini.WriteString(section, "line" + std::to_string(i), lines[i]);
}

int GridRowOf(const TOstrelCaptionsGrid& grid, const std::string& name) {
    for (int row = 0; row < grid.RowCount(); ++row)
        if (SameText(grid.Cell(0, row), name)) return row;
    return -1;
}

// Every cell of `col` to `blank`, then each key of the section into its row's cell.
void ReadGridColumn(const TIniFile& ini, const char* section, int col, const std::string& blank,
                    TOstrelCaptionsGrid& grid, bool asInteger) {
    for (int row = 0; row < grid.RowCount(); ++row) grid.SetCell(col, row, blank);
    for (const std::string& key : ini.ReadSection(section)) {
        const int row = GridRowOf(grid, key);
        if (row < 0) continue;
        grid.SetCell(col, row, asInteger ? std::to_string(ini.ReadInteger(section, key, 0))
                                         : ini.ReadString(section, key, blank));
    }
}

void WriteCaptions(TIniFile& ini, TOstrelCaptionsGrid& grid, int type) {
    for (int row = 0; row < grid.RowCount(); ++row) {
        const std::string& name = grid.Cell(0, row);
        ini.WriteString(kCaptions, name, grid.Cell(1, row));
        if (HasAlign(type)) ini.WriteString(kAlign, name, grid.Cell(kAlignColumn, row));
        if (HasWidth(type))
            ini.WriteInteger(kWidth, name, TOstrelCaptionsGrid::WidthOfCell(grid.Cell(WidthColumn(type), row)));
    }
}

void ReadCaptions(const TIniFile& ini, TOstrelCaptionsGrid& grid, const TOstrelDialogColumns& columns, int type) {
    // A field the file names no caption for keeps its column's own. An empty caption would name
    // the field nothing: a table without a field name, a document without a column title. Files
    // saved under a type whose captions page is hidden hold no captions at all.
    for (int row = 0; row < grid.RowCount(); ++row)
        for (int i = 0; i < columns.Count(); ++i)
            if (SameText(columns[i].Name, grid.Cell(0, row))) grid.SetCell(1, row, columns[i].Caption);
    for (const std::string& key : ini.ReadSection(kCaptions)) {
        const int row = GridRowOf(grid, key);
        if (row >= 0) grid.SetCell(1, row, ini.ReadString(kCaptions, key, ""));
    }
    if (HasWidth(type)) ReadGridColumn(ini, kWidth, WidthColumn(type), "0", grid, true);
    if (HasAlign(type)) ReadGridColumn(ini, kAlign, kAlignColumn, kDefaultAlign, grid, false);
}

void ReadUserFormats(const TIniFile& ini, const TOstrelDialogColumns& columns, TOstrelDialogUserFormats& formats) {
    std::vector<TUserFormatRow> rows;
    for (const std::string& key : ini.ReadSection(kUserFormats))
        for (int i = 0; i < columns.Count(); ++i)
            if (SameText(columns[i].Name, key)) rows.push_back({key, ini.ReadString(kUserFormats, key, "")});
    formats.SetRows(std::move(rows));
}

void ReadFields(const TIniFile& ini, TOstrelDialogFieldLists& fields) {
    fields.RemoveAll();
    for (const std::string& key : ini.ReadSection(kFields)) {
        const std::string name = ini.ReadString(kFields, key, "");
        const auto& available = fields.Rows(flAvailable);
        for (int i = 0; i < static_cast<int>(available.size()); ++i) {
            if (!SameText(available[i].Text, name)) continue;
            fields.MoveListItem(flAvailable, i, flExported, -1);
            break;
        }
    }
    // Once, as after a move on the fields page: the Excel format list follows the export order.
    if (fields.OnChanged) fields.OnChanged();
}

}  // namespace

void TOstrelOptionsFile::Save(const std::string& fileName) {
    TIniFile ini(fileName);
    TOstrelDialogSettings& s = FSettings;
    const int type = s.Int(dsExportType);

    WriteKeys(ini, kGeneral, kGeneralKeys, s);

    ini.EraseSection(kUserFormats);
    if (s.PageVisible(dpFormats)) {
        WriteKeys(ini, kFormats, kFormatKeys, s);
        for (const TUserFormatRow& row : s.UserFormats().Rows()) ini.WriteString(kUserFormats, row.Field, row.Format);
    }

    ini.EraseSection(kFields);
    const auto& exported = s.Fields().Rows(flExported);
    for (size_t i = 0; i < exported.size(); ++i) ini.WriteString(kFields, "field" + std::to_string(i), exported[i].Text);

    ini.EraseSection(kHeader);
    ini.EraseSection(kFooter);
    if (s.PageVisible(dpHeaderFooter)) {
        WriteLines(ini, kHeader, s.HeaderLines());
        WriteLines(ini, kFooter, s.FooterLines());
    }

    ini.EraseSection(kCaptions);
    ini.EraseSection(kWidth);
    ini.EraseSection(kAlign);
    if (s.PageVisible(dpCaptions)) WriteCaptions(ini, s.CaptionsGrid(), type);

    // The sections of other types go, except the plain-text ones, which have always stayed.
    ini.EraseSection(kXLS);
    for (const std::string& section : ini.ReadSections())
        if (IsXlsFieldSection(section)) ini.EraseSection(section);
    for (const char* section : {kRTF, kHTML, kSQL, kXML}) ini.EraseSection(section);

    switch (type) {
        case aeXLS: {
            WriteKeys(ini, kXLS, kXLSKeys, s);
            TOstrelXLSFormatList& list = s.XLSFormats();
            for (int i = 0; i < list.Count(); ++i)
                WriteCellFormat(ini, kXLSField + UpperCase(list.Entry(i).Text), list.Format(i));
            break;
        }
        case aeWord:
        case aeRTF:
            for (const TFontKeys& f : kRTFFonts) WriteFont(ini, f.Prefix, FExporters.RTFExp.Options().*f.Font);
            WriteKey(ini, kRTF, kRTFOrientation, s);
            break;
        case aeHTML: WriteKeys(ini, kHTML, kHTMLKeys, s); break;
        case aeXML: WriteKeys(ini, kXML, kXMLKeys, s); break;
        case aeTXT: WriteKeys(ini, kTXT, kTXTKeys, s); break;
        case aeCSV: WriteKeys(ini, kCSV, kCSVKeys, s); break;
        case aeSQL: WriteKeys(ini, kSQL, kSQLKeys, s); break;
        default: break;
    }
}

void TOstrelOptionsFile::Load(const std::string& fileName) {
    const TIniFile ini(fileName);
    TOstrelDialogSettings& s = FSettings;
    const TIB_OstrelDialog& d = FDialog;

    s.SetStr(dsFileName, ini.ReadString(kGeneral, "FileName", d.FileName()));
    // An unoffered code changes nothing; a changed type lays the pages out anew at once.
    s.SetInt(dsExportType, ini.ReadInteger(kGeneral, "ExportType", 0));
    s.SetBool(dsShowFile, ini.ReadBool(kGeneral, "ShowFile", d.ShowFile()));
    s.SetBool(dsPrintFile, ini.ReadBool(kGeneral, "PrintFile", d.PrintFile()));
    s.SetBool(dsGoToFirstRecord, ini.ReadBool(kGeneral, "GoToFirstRecord", d.GoToFirstRecord()));
    s.SetInt(dsExportRecCount, ini.ReadInteger(kGeneral, "ExportRecCount", d.ExportRecCount()));
    s.SetInt(dsSkipRecCount, ini.ReadInteger(kGeneral, "SkipRecCount", d.SkipRecCount()));
    s.SetBool(dsAllowCaptions, ini.ReadBool(kGeneral, "AllowCaptions", d.AllowCaptions()));

    s.ResetFormats(d.Formats());
    ReadKeys(ini, kFormats, kFormatKeys, s, s);
    ReadUserFormats(ini, d.DialogColumns(), s.UserFormats());
    ReadFields(ini, s.Fields());
    SetLines(ini, kHeader, s.HeaderLines());
    SetLines(ini, kFooter, s.FooterLines());
    const int type = s.Int(dsExportType);
    ReadCaptions(ini, s.CaptionsGrid(), d.DialogColumns(), type);

    // The option pages' read defaults are the embedded exporters' values.
    TOstrelDialogSettings defaults;
    defaults.FillFormatPages(FExporters);
    switch (type) {
        case aeXLS:
            ReadKeys(ini, kXLS, kXLSKeys, defaults, s);
            ReadXlsFieldSections(ini, s.XLSFormats());
            break;
        case aeWord:
        case aeRTF:
            for (const TFontKeys& f : kRTFFonts) ReadFont(ini, f.Prefix, FExporters.RTFExp.Options().*f.Font);
            ReadKey(ini, kRTF, kRTFOrientation, defaults, s);
            break;
        case aeHTML: ReadKeys(ini, kHTML, kHTMLKeys, defaults, s); break;
        case aeXML: ReadKeys(ini, kXML, kXMLKeys, defaults, s); break;
        case aeTXT: ReadKeys(ini, kTXT, kTXTKeys, defaults, s); break;
        case aeCSV: ReadKeys(ini, kCSV, kCSVKeys, defaults, s); break;
        case aeSQL: ReadKeys(ini, kSQL, kSQLKeys, defaults, s); break;
        default: break;
    }
}

}  // namespace ostrel
