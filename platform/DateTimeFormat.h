// Calendar arithmetic on TDateTime (days since 30 December 1899, the time of day as the
// fraction) and the date-time pattern formatter.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace ostrel {

using TDateTime = double;

struct TDateParts {
    int Year = 1899, Month = 12, Day = 30;
    int Hour = 0, Minute = 0, Second = 0, MSec = 0;
};

bool IsValidDate(int year, int month, int day);
bool IsValidTime(int hour, int minute, int second, int msec);
// The caller checks validity first; invalid parts give an unspecified value.
TDateTime EncodeDate(int year, int month, int day);
TDateTime EncodeTime(int hour, int minute, int second, int msec);
// Combines a date and a time of day the way the calendar reads them (also before 1899).
TDateTime ComposeDateTime(TDateTime date, TDateTime time);
TDateParts DecodeDateTime(TDateTime value);
// The value as its decoded parts give it back: the date alone, the time of day alone (to the
// second), or both; what EncodeDate/EncodeTime of DecodeDateTime's parts return, found
// without the calendar.
enum class TDateTimePart { Date, Time, Both };
TDateTime RoundedToParts(TDateTime value, TDateTimePart part);
// A value within the calendar split as the calendar reads it: whole days since 30 December
// 1899 and the milliseconds of the day (which count forward also before 1899).
struct TSplitDateTime {
    int64_t Days;
    int64_t MSecs;
};
// RoundedToParts's value, split; false outside the calendar (RoundedToParts gives that one).
// Writers that decode the value anyway take it so, without composing and splitting it again.
bool SplitRoundedToParts(TDateTime value, TDateTimePart part, TSplitDateTime& split);
// The TDateTime of a split value: RoundedToParts's value for the value it was split from.
TDateTime ComposeSplit(const TSplitDateTime& split);
// DecodeDateTime of the composed value.
TDateParts DecodeSplit(const TSplitDateTime& split);
// Appends yyyy-mm-dd, or hh:nn:ss with .zzz when there are milliseconds: the ISO forms
// databases read whatever the locale.
void AppendIsoDate(std::string& out, const TDateParts& parts);
void AppendIsoTime(std::string& out, const TDateParts& parts);
// The value's ISO date, time or both (with `between` between them) in one append, enclosed in
// `quote` unless it is '\0'; only the parts written are decoded.
void AppendIsoDateTime(std::string& out, TDateTime value, bool date, bool time, char between, char quote);
void AppendIsoDateTime(std::string& out, const TSplitDateTime& value, bool date, bool time, char between, char quote);
// 1 = Sunday .. 7 = Saturday.
int DayOfWeek(TDateTime value);

// Formats with a date-time pattern; an empty pattern behaves as "c".
std::string FormatDateTime(std::string_view pattern, TDateTime value);
// The same, appended to out: callers that format many values reuse one buffer.
void AppendDateTime(std::string& out, std::string_view pattern, TDateTime value);

// A pattern read once, for formatting many values: the same texts as AppendDateTime.
class TDateTimePattern {
public:
    explicit TDateTimePattern(std::string_view pattern);
    ~TDateTimePattern();
    const std::string& Text() const { return FText; }
    void Append(std::string& out, TDateTime value) const;
    // Append of ComposeSplit(value).
    void AppendSplit(std::string& out, const TSplitDateTime& value) const;

private:
    std::string FText;
    std::shared_ptr<const struct TCompiledDatePattern> FCompiled;  // none for "c"
};

}  // namespace ostrel
