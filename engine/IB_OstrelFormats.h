// The value patterns per column type, the Boolean texts and the NULL text of an exporter.
#pragma once

#include <string>

#include "engine/Classes.h"
#include "engine/IB_OstrelCommon.h"

namespace ostrel {

class TOstrelFormats : public TObject {
public:
    TOstrelFormats() { ResetFormats(); }

    // The eight patterns and Boolean texts to their defaults (computed from the locale of this
    // moment), NullString to empty.
    void ResetFormats();
    // Copies the eight patterns and Boolean texts through their setters; NullString stays.
    void Assign(const TOstrelFormats& source);

    const std::string& IntegerFormat() const { return FIntegerFormat; }
    const std::string& FloatFormat() const { return FFloatFormat; }
    const std::string& DateFormat() const { return FDateFormat; }
    const std::string& TimeFormat() const { return FTimeFormat; }
    const std::string& DateTimeFormat() const { return FDateTimeFormat; }
    const std::string& CurrencyFormat() const { return FCurrencyFormat; }
    const std::string& BooleanTrue() const { return FBooleanTrue; }
    const std::string& BooleanFalse() const { return FBooleanFalse; }
    const std::string& NullString() const { return FNullString; }

    // The pattern of a column type (empty for strings, Booleans and unknown types).
    const std::string& FormatOfType(TOstrelColType type) const;

    // An empty text restores the default; any other text is stored unchanged.
    void SetIntegerFormat(const std::string& value);
    void SetFloatFormat(const std::string& value);
    void SetDateFormat(const std::string& value);
    void SetTimeFormat(const std::string& value);
    void SetDateTimeFormat(const std::string& value);
    void SetCurrencyFormat(const std::string& value);
    void SetBooleanTrue(const std::string& value);
    void SetBooleanFalse(const std::string& value);
    // Stored unchanged, empty included.
    void SetNullString(const std::string& value) { FNullString = value; }

    static std::string DefaultIntegerFormat() { return "#,###,##0"; }
    static std::string DefaultFloatFormat() { return "#,###,##0.00"; }
    static std::string DefaultDateFormat();
    static std::string DefaultTimeFormat();
    static std::string DefaultDateTimeFormat();
    static std::string DefaultCurrencyFormat();
    static std::string DefaultBooleanTrue() { return "true"; }
    static std::string DefaultBooleanFalse() { return "false"; }

private:
    std::string FIntegerFormat, FFloatFormat, FDateFormat, FTimeFormat, FDateTimeFormat,
        FCurrencyFormat, FBooleanTrue, FBooleanFalse, FNullString;
};

}  // namespace ostrel
