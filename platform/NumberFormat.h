// Number patterns: sections, digit placeholders, grouping, scientific notation, literals.
// Values are formatted from a decimal digit string, so that 64-bit integers keep every
// digit and doubles are rounded on their 15 significant digits (2.675 shows as 2.68).
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace ostrel {

// value = 0.Digits x 10^Exponent; Digits has no leading or trailing zeros (empty for zero).
struct TDecimal {
    bool Negative = false;
    std::string Digits;
    int Exponent = 0;

    static TDecimal FromDouble(double value);
    static TDecimal FromInt64(int64_t value);
    bool IsZero() const { return Digits.empty(); }
    // Rounds half away from zero so that at most `decimals` digits follow the point.
    TDecimal RoundedToDecimals(int decimals) const;
    // Rounds half away from zero to at most `count` significant digits.
    TDecimal RoundedToSignificant(int count) const;
};

// Formats with a number pattern; an empty pattern gives the general form.
std::string FormatFloat(std::string_view pattern, double value);
std::string FormatInt64(std::string_view pattern, int64_t value);
std::string FormatDecimal(std::string_view pattern, const TDecimal& value);
// FormatDecimal's text appended to out.
void AppendDecimal(std::string& out, std::string_view pattern, const TDecimal& value);

// A pattern analysed once, for formatting many values: the same texts as FormatDecimal of the
// value's decimal, whole numbers and doubles without going through the digit string where the
// pattern is a plain fixed-point one.
class TNumberPattern {
public:
    explicit TNumberPattern(std::string_view pattern);
    ~TNumberPattern();
    TNumberPattern(const TNumberPattern&) = delete;
    TNumberPattern& operator=(const TNumberPattern&) = delete;
    const std::string& Text() const { return FText; }
    void Append(std::string& out, const TDecimal& value) const;
    // As Append of TDecimal::FromInt64 / TDecimal::FromDouble of the value.
    void AppendInt64(std::string& out, int64_t value) const;
    void AppendDouble(std::string& out, double value) const;

private:
    std::string FText;
    std::unique_ptr<struct TCompiledPattern> FCompiled;  // none for the general form
};

// The decimal digits of a whole number, with a minus when negative.
void AppendInteger(std::string& out, int64_t value);

// The general (shortest) form: up to 15 significant digits, scientific notation outside
// 1E-5 .. 1E15, the locale's decimal separator, no grouping.
std::string FloatToStr(double value);
std::string GeneralForm(const TDecimal& value);
// The general form with a given decimal separator, whatever the locale says.
std::string GeneralForm(const TDecimal& value, char decimalSeparator);
// GeneralForm(TDecimal::FromDouble(value), decimalSeparator) appended to out.
void AppendGeneralForm(std::string& out, double value, char decimalSeparator);

// Reading pattern text, shared with the workbook's format translation: the position past the
// literal quoted by ' or " that starts at i, and the (at most three) sections split at the
// semicolons outside quotes.
size_t SkipQuoted(std::string_view pattern, size_t i);
std::vector<std::string_view> SplitSections(std::string_view pattern);

}  // namespace ostrel
