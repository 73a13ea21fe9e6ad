// The conversion of one source value into export text by its column's format.
#include "engine/IB_Ostrel.h"

#include "platform/DateTimeFormat.h"
#include "platform/NumberFormat.h"
#include "platform/Parsers.h"

namespace ostrel {

// Appends a typed dataset value formatted directly; false when the column gives no typed value
// for it.
bool TIB_Ostrel::AppendTypedValue(std::string& out, const TOstrelColumn& c) {
    const TIB_Column* column = SourceColumn(c.Number);
    if (!column) return false;
    switch (c.ColType) {
        case ectInteger:
        case ectFloat:
        case ectCurrency: {
            TDecimal value;
            if (!column->GetDecimal(value)) return false;
            // An integer column shows the integer part, as its text would read.
            if (c.ColType == ectInteger && value.Exponent < static_cast<int>(value.Digits.size())) return false;
            const size_t start = out.size();
            AppendDecimal(FormatTarget(out), c.Format, value);
            EscapeFormatted(out, start);
            return true;
        }
        case ectDate:
        case ectTime:
        case ectDateTime: {
            TDateTime value;
            if (!column->GetDateTime(value)) return false;
            const size_t start = out.size();
            AppendDateTime(FormatTarget(out), c.Format, value);
            EscapeFormatted(out, start);
            return true;
        }
        default: return false;
    }
}

bool TIB_Ostrel::FormatTypedValue(const TOstrelColumn& c, std::string& text) {
    text.clear();
    return AppendTypedValue(text, c);
}

bool TIB_Ostrel::IsEscapedByFormatting(int Index, bool Formatted) {
    const TOstrelColType type = FColumns[Index].ColType;
    return Formatted && type != ectBoolean && type != ectUnknown && !IsNullValue(Index);
}

void TIB_Ostrel::EscapeAppended(std::string& out, size_t start) { EscapeAppendedText(out, start); }

void TIB_Ostrel::EscapeAppendedText(std::string& out, size_t start) {
    FFormatBuffer.assign(out, start, std::string::npos);
    out.resize(start);
    AppendSpecialChars(out, FFormatBuffer);
}

std::string& TIB_Ostrel::FormatTarget(std::string& out) {
    if (FFormatsInPlace) return out;
    // One buffer for all values of a run: no allocation per value.
    FFormatBuffer.clear();
    return FFormatBuffer;
}

void TIB_Ostrel::EscapeFormatted(std::string& out, size_t start) {
    if (FFormatsInPlace) EscapeAppended(out, start);
    else AppendSpecialChars(out, FFormatBuffer);
}

void TIB_Ostrel::AppendSpecialChars(std::string& out, std::string_view text) {
    // A typed value's text starts empty: the escaped text becomes it without another copy.
    if (out.empty()) out = ReplaceSpecialChars(std::string(text));
    else out += ReplaceSpecialChars(std::string(text));
}

std::string_view TIB_Ostrel::SourceTextView(const TOstrelColumn& column) {
    if (FExportSource == esDataSet || FExportSource == esDBGrid) {
        std::string_view view;
        if (const TIB_Column* c = SourceColumn(column.Number); c && c->GetText(view)) return view;
    }
    FTextBuffer = SourceText(column);
    return FTextBuffer;
}

// A source text in its column's format, escaped as the exporter escapes.
std::string TIB_Ostrel::FormatSourceText(const TOstrelColumn& c, std::string text) {
    // An empty cell of a list view or grid typed by its other rows holds no value to format.
    if (text.empty() && c.ColType != ectBoolean && c.ColType != ectUnknown) return ReplaceSpecialChars(text);
    switch (c.ColType) {
        case ectInteger: {
            // 64 bits, so that BIGINT values are not lost. A value that is no integer (a
            // fraction, a word, a blank) is written as it reads rather than replaced by a number.
            int64_t value = 0;
            return ReplaceSpecialChars(TryStrToInt64(text, value) ? FormatInt64(c.Format, value) : text);
        }
        case ectFloat:
        case ectCurrency: return ReplaceSpecialChars(FormatDecimal(c.Format, StrToDecimal(text)));
        case ectDate:
        case ectTime:
        case ectDateTime: return ReplaceSpecialChars(FormatDateTime(c.Format, StrToDateTime(text)));
        case ectString: return ReplaceSpecialChars(text);
        case ectBoolean:
        case ectUnknown: break;
    }
    return text;
}

std::string TIB_Ostrel::GetExportText(int Index, bool Formatted) {
    const TOstrelColumn& c = FColumns[Index];
    std::string text;
    if (IsNullValue(Index)) {
        text = FFormats.NullString();
    } else if (!Formatted || (FExportSource != esDataSet && FExportSource != esDBGrid) || !FormatTypedValue(c, text)) {
        text = SourceText(c);
        if (Formatted) text = FormatSourceText(c, std::move(text));
    }
    if (OnGetExportText) OnGetExportText(this, Index, text);
    return text;
}

void TIB_Ostrel::AppendDateCell(std::string& out, const TDateTimePattern& pattern, const TCellValue& value) {
    if (value.Split) pattern.AppendSplit(out, value.Moment);
    else pattern.Append(out, value.Float);
}

void TIB_Ostrel::PlanCells() {
    FCellPlans.resize(static_cast<size_t>(FColumns.Count()));
    for (int i = 0; i < FColumns.Count(); ++i) {
        const TOstrelColumn& c = FColumns[i];
        TCellPlan& plan = FCellPlans[static_cast<size_t>(i)];
        plan.Column = SourceColumn(c.Number);
        switch (c.ColType) {
            case ectInteger:
            case ectFloat:
            case ectCurrency:
            case ectDate:
            case ectTime:
            case ectDateTime: plan.Patterns = &CellPatterns(i, c.Format); break;
            default: break;
        }
    }
}

const TIB_Ostrel::TCellPatterns& TIB_Ostrel::CompileCellPatterns(int Index, const std::string& format) {
    if (FCellPatterns.size() <= static_cast<size_t>(Index)) FCellPatterns.resize(static_cast<size_t>(Index) + 1);
    std::unique_ptr<TCellPatterns>& p = FCellPatterns[static_cast<size_t>(Index)];
    p = std::make_unique<TCellPatterns>(format);
    return *p;
}

TCellKind TIB_Ostrel::AppendReadCell(std::string& out, int Index) {
    // The steps' own escaping: typed values formatted where FormatTarget says and escaped by
    // EscapeFormatted, texts through the virtual AppendSpecialChars.
    struct TStepEscape {
        TIB_Ostrel& Exporter;
        std::string& Target(std::string& text) { return Exporter.FormatTarget(text); }
        void Formatted(std::string& text, size_t start) { Exporter.EscapeFormatted(text, start); }
        void Text(std::string& text, std::string_view value) { Exporter.AppendSpecialChars(text, value); }
    };
    return AppendCellWith(out, Index, TStepEscape{*this});
}

// GetExportText's text appended to out: texts read in place where the source allows it, typed
// values and escaping without a string of their own.
bool TIB_Ostrel::AppendExportText(std::string& out, int Index, bool Formatted) {
    const size_t start = out.size();
    return FinishExportText(out, start, Index, Formatted, Formatted ? AppendReadCell(out, Index) : ckNone);
}

bool TIB_Ostrel::FinishGeneralText(std::string& out, size_t start, int Index, bool Formatted, TCellKind kind) {
    const TOstrelColumn& c = FColumns[Index];
    bool null = kind == ckNull;
    if (kind != ckNone) {
        // Read in one call and formatted.
    } else if (IsNullValue(Index)) {
        null = true;
        out += FFormats.NullString();
    } else if (!Formatted || c.ColType == ectString || c.ColType == ectBoolean || c.ColType == ectUnknown) {
        const std::string_view text = SourceTextView(c);
        if (Formatted && c.ColType == ectString) AppendSpecialChars(out, text);
        else out += text;
    } else if ((FExportSource != esDataSet && FExportSource != esDBGrid) || !AppendTypedValue(out, c)) {
        out += FormatSourceText(c, SourceText(c));
    }
    // As IsEscapedByFormatting; known before a handler may change the columns.
    const bool escaped = Formatted && !null && c.ColType != ectBoolean && c.ColType != ectUnknown;
    if (OnGetExportText) {
        std::string text = out.substr(start);
        OnGetExportText(this, Index, text);
        out.resize(start);
        out += text;
    }
    return escaped;
}

}  // namespace ostrel
