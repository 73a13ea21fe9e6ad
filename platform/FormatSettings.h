// The process-wide format settings: separators, currency, date and time patterns, names
// and the code page. Filled from the POSIX locale at start; programs and tests may replace
// them at any time, and every formatter reads them at the moment it runs.
#pragma once

#include <array>
#include <atomic>
#include <string>

namespace ostrel {

constexpr int CP_UTF8 = 65001;
constexpr int CP_WINDOWS1252 = 1252;

struct TFormatSettings {
    char DecimalSeparator = '.';
    std::string ThousandSeparator = ",";  // may be several bytes in UTF-8 (e.g. a narrow blank)
    char ListSeparator = ',';
    std::string CurrencyString = "$";
    char DateSeparator = '/';
    char TimeSeparator = ':';
    std::string ShortDateFormat = "m/d/yyyy";
    std::string LongDateFormat = "dddd, mmmm d, yyyy";
    std::string ShortTimeFormat = "h:nn AMPM";
    std::string LongTimeFormat = "h:nn:ss AMPM";
    std::string TimeAMString = "AM";
    std::string TimePMString = "PM";
    std::array<std::string, 12> ShortMonthNames{"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    std::array<std::string, 12> LongMonthNames{"January", "February", "March",     "April",
                                               "May",     "June",     "July",      "August",
                                               "September", "October", "November", "December"};
    // Index 0 is Sunday.
    std::array<std::string, 7> ShortDayNames{"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    std::array<std::string, 7> LongDayNames{"Sunday",   "Monday", "Tuesday", "Wednesday",
                                            "Thursday", "Friday", "Saturday"};
    int CodePage = CP_UTF8;
    // Two-digit years read by the date parser fall within this many years of the current one.
    int TwoDigitYearCenturyWindow = 50;

    // US English conventions, the settings of the "C" and "POSIX" locales.
    static TFormatSettings Default() { return TFormatSettings{}; }
    // The settings of a named POSIX locale ("" means the environment's); the defaults when
    // the locale is not installed.
    static TFormatSettings FromLocale(const std::string& localeName);
};

namespace detail {
// The process-wide settings once read from the environment's locale; the first use reads them.
extern std::atomic<TFormatSettings*> LoadedFormatSettings;
TFormatSettings& LoadFormatSettings();
}  // namespace detail

// The settings every formatter and parser uses; inline, as formatters ask for every value.
inline TFormatSettings& FormatSettings() {
    TFormatSettings* loaded = detail::LoadedFormatSettings.load(std::memory_order_acquire);
    return loaded ? *loaded : detail::LoadFormatSettings();
}
void SetFormatSettings(const TFormatSettings& settings);

// Converts a strftime pattern (as the C library's locale data gives them) into a date-time
// pattern of the formatter.
std::string DateTimePatternFromStrftime(const std::string& strftimePattern);

// Replaces the process-wide settings for the life of the object (tests, one-off runs).
class TFormatSettingsScope {
public:
    explicit TFormatSettingsScope(const TFormatSettings& settings)
        : FSaved(FormatSettings()) { SetFormatSettings(settings); }
    ~TFormatSettingsScope() { SetFormatSettings(FSaved); }
    TFormatSettingsScope(const TFormatSettingsScope&) = delete;
    TFormatSettingsScope& operator=(const TFormatSettingsScope&) = delete;

private:
    TFormatSettings FSaved;
};

}  // namespace ostrel
