#include "engine/IB_OstrelFormats.h"

#include "platform/FormatSettings.h"

namespace ostrel {

namespace {

void Store(std::string& field, const std::string& value, std::string (*def)()) {
    if (value == field) return;
    field = value.empty() ? def() : value;
}

}  // namespace

std::string TOstrelFormats::DefaultDateFormat() { return FormatSettings().ShortDateFormat; }
std::string TOstrelFormats::DefaultTimeFormat() { return FormatSettings().ShortTimeFormat; }
std::string TOstrelFormats::DefaultDateTimeFormat() {
    return FormatSettings().ShortDateFormat + " " + FormatSettings().ShortTimeFormat;
}
std::string TOstrelFormats::DefaultCurrencyFormat() { return "00.00" + FormatSettings().CurrencyString; }

void TOstrelFormats::ResetFormats() {
    FIntegerFormat = DefaultIntegerFormat();
    FFloatFormat = DefaultFloatFormat();
    FDateFormat = DefaultDateFormat();
    FTimeFormat = DefaultTimeFormat();
    FDateTimeFormat = DefaultDateTimeFormat();
    FCurrencyFormat = DefaultCurrencyFormat();
    FBooleanTrue = DefaultBooleanTrue();
    FBooleanFalse = DefaultBooleanFalse();
    FNullString.clear();
}

void TOstrelFormats::Assign(const TOstrelFormats& source) {
    SetIntegerFormat(source.FIntegerFormat);
    SetFloatFormat(source.FFloatFormat);
    SetDateFormat(source.FDateFormat);
    SetTimeFormat(source.FTimeFormat);
    SetDateTimeFormat(source.FDateTimeFormat);
    SetCurrencyFormat(source.FCurrencyFormat);
    SetBooleanTrue(source.FBooleanTrue);
    SetBooleanFalse(source.FBooleanFalse);
}

void TOstrelFormats::SetIntegerFormat(const std::string& v) { Store(FIntegerFormat, v, DefaultIntegerFormat); }
void TOstrelFormats::SetFloatFormat(const std::string& v) { Store(FFloatFormat, v, DefaultFloatFormat); }
void TOstrelFormats::SetDateFormat(const std::string& v) { Store(FDateFormat, v, DefaultDateFormat); }
void TOstrelFormats::SetTimeFormat(const std::string& v) { Store(FTimeFormat, v, DefaultTimeFormat); }
void TOstrelFormats::SetDateTimeFormat(const std::string& v) {
    Store(FDateTimeFormat, v, DefaultDateTimeFormat);
}
void TOstrelFormats::SetCurrencyFormat(const std::string& v) {
    Store(FCurrencyFormat, v, DefaultCurrencyFormat);
}
void TOstrelFormats::SetBooleanTrue(const std::string& v) { Store(FBooleanTrue, v, DefaultBooleanTrue); }
void TOstrelFormats::SetBooleanFalse(const std::string& v) { Store(FBooleanFalse, v, DefaultBooleanFalse); }

const std::string& TOstrelFormats::FormatOfType(TOstrelColType type) const {
    static const std::string none;
    switch (type) {
        case ectInteger: return FIntegerFormat;
        case ectFloat: return FFloatFormat;
        case ectCurrency: return FCurrencyFormat;
        case ectDate: return FDateFormat;
        case ectTime: return FTimeFormat;
        case ectDateTime: return FDateTimeFormat;
        default: return none;
    }
}

}  // namespace ostrel
