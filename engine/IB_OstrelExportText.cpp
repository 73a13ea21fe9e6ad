// The conversion of one source value into export text by its column's format.
#include "engine/IB_Ostrel.h"
#include "platform/DateTimeFormat.h"
#include "platform/NumberFormat.h"
#include "platform/Parsers.h"

namespace ostrel {

std::string TIB_Ostrel::GetExportText(int Index, bool Formatted) {
    const TOstrelColumn& c = FColumns[Index];
    std::string text = SourceText(c);
    if (IsNullValue(Index)) {
        text = FFormats.NullString();
        Formatted = false;
    }
    if (Formatted) {
        switch (c.ColType) {
            case ectInteger: {
                // 64 bits, so that BIGINT values are not lost; a non-integer still gives 0.
                int64_t value = 0;
                if (!TryStrToInt64(text, value)) value = 0;
                text = ReplaceSpecialChars(FormatInt64(c.Format, value));
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
