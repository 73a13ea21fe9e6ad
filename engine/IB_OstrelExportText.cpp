// The conversion of one source value into export text by its column's format.
#include "engine/IB_Ostrel.h"
#include "platform/DateTimeFormat.h"
#include "platform/NumberFormat.h"
#include "platform/Parsers.h"

namespace ostrel {

// Formats a typed dataset value directly; false when the column gives no typed value for it.
bool TIB_Ostrel::FormatTypedValue(const TOstrelColumn& c, std::string& text) {
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
            text = ReplaceSpecialChars(FormatDecimal(c.Format, value));
            return true;
        }
        case ectDate:
        case ectTime:
        case ectDateTime: {
            TDateTime value;
            if (!column->GetDateTime(value)) return false;
            // One buffer for all values of a run: no allocation per value.
            FFormatBuffer.clear();
            AppendDateTime(FFormatBuffer, c.Format, value);
            text = ReplaceSpecialChars(FFormatBuffer);
            return true;
        }
        default: return false;
    }
}

bool TIB_Ostrel::IsEscapedByFormatting(int Index, bool Formatted) {
    const TOstrelColType type = FColumns[Index].ColType;
    return Formatted && type != ectBoolean && type != ectUnknown && !IsNullValue(Index);
}

std::string TIB_Ostrel::GetExportText(int Index, bool Formatted) {
    const TOstrelColumn& c = FColumns[Index];
    std::string text;
    if (IsNullValue(Index)) {
        text = FFormats.NullString();
        Formatted = false;
    } else if (Formatted && (FExportSource == esDataSet || FExportSource == esDBGrid) &&
               FormatTypedValue(c, text)) {
        Formatted = false;
    } else {
        text = SourceText(c);
    }
    if (Formatted) {
        switch (c.ColType) {
            case ectInteger: {
                // 64 bits, so that BIGINT values are not lost. A value that is no integer (a
                // fraction, a word, a blank) is written as it reads rather than replaced by a number.
                int64_t value = 0;
                text = ReplaceSpecialChars(TryStrToInt64(text, value) ? FormatInt64(c.Format, value) : text);
                break;
            }
            case ectFloat:
            case ectCurrency:
                text = ReplaceSpecialChars(FormatDecimal(c.Format, StrToDecimal(text)));
                break;
            case ectDate:
            case ectTime:
            case ectDateTime:
                text = ReplaceSpecialChars(FormatDateTime(c.Format, StrToDateTime(text)));
                break;
            case ectString: text = ReplaceSpecialChars(text); break;
            case ectBoolean:
            case ectUnknown: break;
        }
    }
    if (OnGetExportText) OnGetExportText(this, Index, text);
    return text;
}

}  // namespace ostrel
