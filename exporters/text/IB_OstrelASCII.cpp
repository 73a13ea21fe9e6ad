#include "exporters/text/IB_OstrelASCII.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>

#include "platform/CodePage.h"
#include "platform/FormatSettings.h"
#include "platform/Parsers.h"

namespace ostrel {

namespace {

// What a NUL character becomes in DIF and SYLK, whose readers end the text there.
std::string_view Replacement() { return FormatSettings().CodePage == CP_UTF8 ? "\xEF\xBF\xBD" : "?"; }

// The length of the line break at text[i] (CR LF, CR or LF), or 0.
size_t LineBreakAt(std::string_view text, size_t i) {
    if (text[i] == '\n') return 1;
    if (text[i] != '\r') return 0;
    return i + 1 < text.size() && text[i + 1] == '\n' ? 2 : 1;
}

// Whether a line inside a multi-line DIF string would be taken for the header of the next
// value ("-1,0", "1,0", "0,12"): a sign or digit first, a comma later. The last line is safe,
// since the closing quote follows it.
bool LooksLikeDIFHeader(std::string_view line) {
    size_t i = line.find_first_not_of(" \t");
    if (i == std::string_view::npos) return false;
    if (line[i] == '-' || line[i] == '+') ++i;
    return i < line.size() && ((line[i] >= '0' && line[i] <= '9') || line[i] == '.') &&
           line.find(',', i) != std::string_view::npos;
}

// A DIF string: readers take a doubled quote inside it as one quote and read a string over
// several lines until its closing quote.
void AppendDIFString(std::string& out, std::string_view text) {
    // One look at each byte (a search for any of a set would search the set for each byte).
    if (std::none_of(text.begin(), text.end(), [](char c) { return c == '\r' || c == '\n' || c == '\0'; }))
        return AppendQuotedDoubling(out, text, '"');
    out += '"';
    for (size_t i = 0; i < text.size();) {
        if (const size_t breakLength = LineBreakAt(text, i)) {
            i += breakLength;
            size_t end = i;
            while (end < text.size() && text[end] != '\r' && text[end] != '\n') ++end;
            const bool last = end == text.size();
            out += !last && LooksLikeDIFHeader(text.substr(i, end - i)) ? " " : "\r\n";
            continue;
        }
        if (text[i] == '\0') out += Replacement();
        else if (text[i] == '"') out += "\"\"";
        else out += text[i];
        ++i;
    }
    out += '"';
}

std::string DIFString(std::string_view text) {
    std::string out;
    AppendDIFString(out, text);
    return out;
}

// A SYLK text: a semicolon ends a field unless it is doubled, and a line break ends the
// record, so it is written as the format's line-feed escape (ESC, blank, colon).
void AppendSYLKString(std::string& out, std::string_view text) {
    out += '"';
    size_t run = 0;  // start of the characters not yet copied, all written as they are
    for (size_t i = 0; i < text.size();) {
        const char c = text[i];
        if (c != ';' && c != '\0' && c != '\r' && c != '\n') {
            ++i;
            continue;
        }
        out.append(text.data() + run, i - run);
        if (const size_t breakLength = LineBreakAt(text, i)) {
            out += "\x1B :";
            i += breakLength;
        } else {
            out += c == ';' ? std::string_view(";;") : Replacement();
            ++i;
        }
        run = i;
    }
    out.append(text.data() + run, text.size() - run);
    out += '"';
}

// Sets a flag for one call and clears it again on every way out.
struct TFlagScope {
    TFlagScope(bool& flag, bool value) : Flag(flag), Old(flag) { Flag = value; }
    ~TFlagScope() { Flag = Old; }
    bool& Flag;
    const bool Old;
};

// Texts a spreadsheet would take for a formula (or for a formula after its leading blanks).
bool StartsLikeFormula(std::string_view text) {
    if (text.empty()) return false;
    const char c = text[0];
    return c == '=' || c == '+' || c == '-' || c == '@' || c == '\t' || c == '\r';
}

}  // namespace

TIB_OstrelASCII::TIB_OstrelASCII(TComponent* AOwner)
    : TIB_OstrelFormatText(AOwner), FCSVComma(FormatSettings().ListSeparator) {
    SetAutoCalcColWidth(true);
}

void TIB_OstrelASCII::SetExportType(TOstrelASCIIType value) {
    if (value == FExportType) return;
    FExportType = value;
    if (value == etTXT) SetAutoCalcColWidth(true);
}

void TIB_OstrelASCII::DoFetchedRecord(int RecNo) {
    if (OnFetchedRecord) OnFetchedRecord(this, RecNo);
}

void TIB_OstrelASCII::BeginExport() {
    TIB_OstrelFormatText::BeginExport();
    FormatInPlace(NoteOwnClass<TIB_OstrelASCII>());
    FRowsLeftOut = 0;
    FDIFRowCount = 0;
    SetAutoCalcColWidth(AutoCalcColWidth() && FExportType == etTXT);
    TOstrelWriter& w = *Writer();
    switch (FExportType) {
        case etTXT:
            if (!Title().empty()) {
                w.WriteLn(Title());
                w.CharLine('-', 80);
                w.EmptyLine();
            }
            if (!Header().Empty()) {
                for (const auto& line : Header()) w.WriteLn(line);
                w.EmptyLine();
            }
            break;
        case etCSV: break;
        case etDIF:
            w.WriteLn("TABLE");
            w.WriteLn("0,1");
            w.WriteLn(DIFString(Title()));
            w.WriteLn("VECTORS");
            w.WriteLn("0," + std::to_string(Columns().Count()));
            w.WriteLn("\"\"");
            w.WriteLn("TUPLES");
            if (!CountDIFRows()) return;
            w.WriteLn("0," + std::to_string(FDIFRowCount));
            w.WriteLn("\"\"");
            w.WriteLn("DATA");
            w.WriteLn("0,0");
            w.WriteLn("\"\"");
            break;
        case etSYLK: w.WriteLn("ID;PVASCIIEXPORT"); break;
    }
}

bool TIB_OstrelASCII::CountDIFRows() {
    return PrePass(nullptr, [&] {
        DoFetchedRecord(FRecordCounter);
        ++FDIFRowCount;
    });
}

void TIB_OstrelASCII::AfterExport() {
    // Rows the limit left out, counted so that the caller can tell the user.
    if (HasRowLimit() && !FAborted && FRecordCounter > FRowLimit) FRowsLeftOut = CountRowsLeft();
    TIB_OstrelFormatText::AfterExport();
}

void TIB_OstrelASCII::EndExport() {
    TOstrelWriter& w = *Writer();
    switch (FExportType) {
        case etTXT:
            w.EmptyLine();
            for (const auto& line : Footer()) w.WriteLn(line);
            break;
        case etCSV: break;
        case etDIF:
            w.WriteLn("-1,0");
            w.WriteLn("EOD");
            break;
        case etSYLK: w.WriteLn("E"); break;
    }
    TIB_OstrelFormatText::EndExport();
}

bool TIB_OstrelASCII::IsEndOfData() {
    return BaseEndOfData() || (HasRowLimit() && FRecordCounter > FRowLimit);
}

std::string TIB_OstrelASCII::GetCaptionRow() {
    std::string row = TIB_OstrelFormatText::GetCaptionRow();
    if (FExportType == etTXT || FExportType == etCSV) row += "\r\n";
    else if (FExportType == etDIF) row.insert(0, "-1,0\r\nBOT\r\n");
    return row;
}

void TIB_OstrelASCII::WriteCaptionRow() {
    std::string row = GetCaptionRow();
    if (!row.empty()) Writer()->Write(row);
}

std::string TIB_OstrelASCII::GetDataRow(bool Formatted) {
    std::string row = TIB_OstrelFormatText::GetDataRow(Formatted);
    if (FExportType == etTXT || FExportType == etCSV) row += "\r\n";
    else if (FExportType == etDIF) row.insert(0, "-1,0\r\nBOT\r\n");
    return row;
}

void TIB_OstrelASCII::WriteDataRow() {
    if (FastRows<TIB_OstrelASCII>()) {
        AppendFastRow();
        Writer()->Write(FRow);
        return;
    }
    Writer()->Write(GetDataRow(true));
}

// What GetDataRow(true) gives, without a string per value.
void TIB_OstrelASCII::AppendFastRow() {
    FRow.clear();
    const int count = Columns().Count();
    if (FExportType == etCSV) {
        for (int i = 0; i < count; ++i) {
            const size_t start = FRow.size();
            if (const TCellKind kind = AppendCellWith(FRow, i, TCSVEscape{*this}); kind == ckNone) {
                TFlagScope guard(FGuardText, Columns()[i].ColType == ectString);
                FinishExportText(FRow, start, i, true, kind);
            }
            FRow += FCSVComma;
        }
        FRow += "\r\n";
        return;
    }
    if (FExportType == etDIF) {
        FRow += "-1,0\r\nBOT\r\n";
        for (int i = 0; i < count; ++i) AppendDIFValue(FRow, i, true);
        return;
    }
    if (FExportType == etSYLK) {
        const int row = FRecordCounter + 1 + (AllowCaptions() ? 1 : 0);
        for (int i = 0; i < count; ++i) {
            FValue.clear();
            AppendKeptValue(FValue, i);
            AppendSYLKCell(FRow, i, row, FValue, false);
        }
        return;
    }
    const int spacing = std::max(FTXTSpacing, 0);
    for (int i = 0; i < count; ++i) {
        const TOstrelColumn& c = Columns()[i];
        const size_t start = FRow.size();
        AppendKeptValue(FRow, i);
        const long fill = static_cast<long>(c.Width) - static_cast<long>(CharLength(std::string_view(FRow).substr(start)));
        if (fill > 0) {
            const long before = c.Align == ecaRight ? fill : c.Align == ecaCenter ? fill / 2 : 0;
            FRow.insert(start, static_cast<size_t>(before), ' ');
            FRow.append(static_cast<size_t>(fill - before), ' ');
        }
        FRow.append(static_cast<size_t>(spacing), ' ');
    }
    FRow += "\r\n";
}

void TIB_OstrelASCII::AppendWidthText(std::string& out, int Index) {
    // TXT, DIF and SYLK fast rows write the kept value: measured the same way.
    if (FExportType != etCSV && FastRows<TIB_OstrelASCII>()) AppendKeptValue(out, Index);
    else TIB_OstrelFormatText::AppendWidthText(out, Index);
}

// TXT, DIF and SYLK keep a value's text as it is: AppendSpecialChars and EscapeAppended leave it.
void TIB_OstrelASCII::AppendKeptValue(std::string& out, int Index) {
    struct TKept {
        std::string& Target(std::string& text) { return text; }
        void Formatted(std::string&, size_t) {}
        void Text(std::string& text, std::string_view value) { text += value; }
    };
    // Only a value left to the general way needs finishing (fast rows have no text handler).
    const size_t start = out.size();
    if (const TCellKind kind = AppendCellWith(out, Index, TKept{}); kind == ckNone)
        FinishExportText(out, start, Index, true, kind);
}

std::string TIB_OstrelASCII::GetColCaption(int Index) {
    std::string caption;
    {
        TFlagScope guard(FGuardText, true);
        caption = TIB_OstrelFormatText::GetColCaption(Index);
    }
    const TOstrelColumn& c = Columns()[Index];
    switch (FExportType) {
        case etTXT: return TOstrelWriter::PadAligned(caption, c.Align, c.Width) + std::string(std::max(FTXTSpacing, 0), ' ');
        case etCSV: return caption + FCSVComma;
        case etDIF: return "1,0\r\n" + DIFString(caption) + "\r\n";
        case etSYLK: {
            std::string cell;
            AppendSYLKCell(cell, Index, 1, caption, false);
            return cell;
        }
    }
    return caption;
}

std::string TIB_OstrelASCII::GetColData(int Index, bool Formatted) {
    const TOstrelColumn& c = Columns()[Index];
    if (FExportType == etDIF) {
        std::string tuple;
        AppendDIFValue(tuple, Index, Formatted);
        return tuple;
    }
    // Only texts are guarded: numbers, dates and Booleans keep their sign and form.
    std::string value;
    {
        TFlagScope guard(FGuardText, c.ColType == ectString);
        value = TIB_OstrelFormatText::GetColData(Index, Formatted);
    }
    switch (FExportType) {
        case etTXT: return TOstrelWriter::PadAligned(value, c.Align, c.Width) + std::string(std::max(FTXTSpacing, 0), ' ');
        case etCSV:
            value += FCSVComma;
            return value;
        case etDIF: break;
        case etSYLK: {
            std::string cell;
            AppendSYLKCell(cell, Index, FRecordCounter + 1 + (AllowCaptions() ? 1 : 0), value, false);
            return cell;
        }
    }
    return value;
}

namespace {

// The largest doubles' fifteen digits round past the largest double ("1.79769313486232E308"): a
// numeric tuple must hold a number a reader can take, so such a value is written as its text.
bool ReadsAsNumber(std::string_view text) {
    TDecimal value;
    return TryStrToDecimal(text, value);
}

}  // namespace

// A DIF tuple: numbers as numeric tuples with the plain value, Booleans as numeric tuples with
// their indicator, everything else (dates, NULLs, texts that are no number) as string tuples.
// The texts are GetExportText's.
void TIB_OstrelASCII::AppendDIFValue(std::string& out, int Index, bool Formatted) {
    const TOstrelColumn& c = Columns()[Index];
    if ((c.ColType == ectInteger || c.ColType == ectFloat || c.ColType == ectCurrency) && !OnGetExportText) {
        // A number read in one call, as its decimal below would write it.
        TCellValue cell;
        const TCellKind kind = ReadSourceCell(Index, cell);
        const bool whole = kind == ckInteger && cell.Integer != 0 && cell.Integer > -1000000000000000 &&
                           cell.Integer < 1000000000000000;
        if (whole || (kind == ckFloat && cell.Float != 0 && std::isfinite(cell.Float))) {
            const size_t start = out.size();
            out += "0,";
            if (whole) AppendInteger(out, cell.Integer);
            else AppendGeneralForm(out, cell.Float, '.');
            if (whole || std::fabs(cell.Float) < 1e300 || ReadsAsNumber(std::string_view(out).substr(start + 2))) {
                out += "\r\nV\r\n";
                return;
            }
            out.resize(start);
        }
    }
    if (c.ColType != ectString && !IsNullValue(Index)) {
        const bool numeric = c.ColType == ectInteger || c.ColType == ectFloat || c.ColType == ectCurrency;
        TDecimal number;
        // A typed read is the number the raw text reads as; a zero may stand for what no decimal
        // holds (NaN, infinities), so zeros take the text's way.
        if (numeric && !OnGetExportText) {
            const TIB_Column* column = DatasetColumn(Index);
            if (column && column->GetDecimal(number) && !number.IsZero()) {
                const std::string text = GeneralForm(number, '.');
                if (number.Exponent <= 300 || ReadsAsNumber(text)) {
                    out += "0,";
                    out += text;
                    out += "\r\nV\r\n";
                    return;
                }
            }
        }
        // Numbers and Booleans are read from their raw text; a handler sees it for every type.
        if (numeric || c.ColType == ectBoolean || OnGetExportText) {
            FValue.clear();
            AppendExportText(FValue, Index, false);
        }
        if (numeric) {
            if (TryStrToDecimal(FValue, number)) {
                out += "0,";
                out += GeneralForm(number, '.');
                out += "\r\nV\r\n";
                return;
            }
        } else if (c.ColType == ectBoolean) {
            const std::string t = Trim(FValue);
            if (SameText(t, "true") || SameText(t, Formats().BooleanTrue())) return void(out += "0,1\r\nTRUE\r\n");
            if (SameText(t, "false") || SameText(t, Formats().BooleanFalse())) return void(out += "0,0\r\nFALSE\r\n");
        }
    }
    FValue.clear();
    AppendExportText(FValue, Index, Formatted);
    out += "1,0\r\n";
    AppendDIFString(out, FValue);
    out += "\r\n";
}

// A SYLK cell record; `read` fills text with the value's export text first.
void TIB_OstrelASCII::AppendSYLKCell(std::string& out, int Index, int row, std::string& text, bool read) {
    if (read) {
        text.clear();
        AppendExportText(text, Index, true);
    }
    // "C;X<column>;Y<row>;K" in one append.
    char head[32] = {'C', ';', 'X'};
    char* p = std::to_chars(head + 3, head + 14, Index + 1).ptr;
    *p++ = ';';
    *p++ = 'Y';
    p = std::to_chars(p, p + 11, row).ptr;
    *p++ = ';';
    *p++ = 'K';
    out.append(head, static_cast<size_t>(p - head));
    AppendSYLKString(out, text);
    out += "\r\n";
}

std::string TIB_OstrelASCII::ReplaceSpecialChars(const std::string& Text) {
    if (FExportType != etCSV || Text.empty()) return Text;
    std::string out;
    AppendCSVText(out, Text, FGuardText);
    return out;
}

void TIB_OstrelASCII::AppendSpecialChars(std::string& out, std::string_view Text) {
    // A descendant's own ReplaceSpecialChars is honoured.
    if (typeid(*this) != typeid(TIB_OstrelASCII)) return TIB_OstrelFormatText::AppendSpecialChars(out, Text);
    if (FExportType != etCSV || Text.empty()) out += Text;
    else AppendCSVText(out, Text, FGuardText);
}

void TIB_OstrelASCII::EscapeAppended(std::string& out, size_t start) {
    // What AppendSpecialChars does, in place: TXT, DIF, SYLK and empty texts keep the text.
    if (FExportType == etCSV) EscapeCSVAppended(out, start, FGuardText);
}

void TIB_OstrelASCII::EscapeCSVAppended(std::string& out, size_t start, bool guardText) {
    // In quotes when it holds none and is not guarded, else the general way.
    if (out.size() == start) return;
    const std::string_view text = std::string_view(out).substr(start);
    if ((guardText && FCSVFormulaGuard && StartsLikeFormula(text)) || text.find('"') != std::string_view::npos) {
        TFlagScope guard(FGuardText, guardText);
        return EscapeAppendedText(out, start);
    }
    if (!FCSVQuoteStrings) return;
    // Both quotes appended, the text moved up past the first.
    const size_t length = out.size() - start;
    out.append(2, '"');
    char* const at = out.data() + start;
    std::memmove(at + 1, at, length);
    *at = '"';
}

void TIB_OstrelASCII::EscapeFormattedCSV(std::string& out, size_t start) {
    if (FCSVQuoteStrings) out.erase(--start, 1);
    EscapeCSVAppended(out, start, false);
}

void TIB_OstrelASCII::AppendCSVText(std::string& out, std::string_view text, bool guardText) const {
    const bool guard = guardText && FCSVFormulaGuard && StartsLikeFormula(text);
    if (!FCSVQuoteStrings) {
        if (guard) out += '\'';
        out += text;
        return;
    }
    if (!guard) return AppendQuotedDoubling(out, text, '"');
    std::string guarded = "'";
    guarded += text;
    AppendQuotedDoubling(out, guarded, '"');
}

}  // namespace ostrel
