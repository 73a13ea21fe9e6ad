#include "platform/FormatSettings.h"

#include <langinfo.h>
#include <locale.h>

#include <cctype>
#include <cstdlib>
#include <cstring>

namespace ostrel {

namespace {

TFormatSettings& Storage() {
    static TFormatSettings settings = TFormatSettings::FromLocale("");
    return settings;
}

int CodePageOfCodeset(const char* codeset) {
    std::string cs;
    for (const char* p = codeset; p && *p; ++p)
        if (*p != '-' && *p != '_') cs += static_cast<char>(std::tolower(static_cast<unsigned char>(*p)));
    if (cs == "utf8") return CP_UTF8;
    if (cs == "cp1252" || cs == "windows1252" || cs == "iso88591" || cs == "iso885915" ||
        cs == "latin1")
        return CP_WINDOWS1252;
    return CP_UTF8;
}

char FirstSeparator(const std::string& pattern, char fallback) {
    bool quoted = false;
    char quote = 0;
    for (char c : pattern) {
        if (quoted) {
            if (c == quote) quoted = false;
            continue;
        }
        if (c == '"' || c == '\'') {
            quoted = true;
            quote = c;
        } else if (!std::isalpha(static_cast<unsigned char>(c)) && c != ' ' && c != ',') {
            return c;
        }
    }
    return fallback;
}

// Drops the seconds element, with its separator, from a long time pattern.
std::string WithoutSeconds(const std::string& pattern) {
    std::string out = pattern;
    auto pos = out.find(":ss");
    if (pos != std::string::npos) out.erase(pos, 3);
    return out;
}

}  // namespace

std::string DateTimePatternFromStrftime(const std::string& f) {
    std::string out;
    for (size_t i = 0; i < f.size(); ++i) {
        char c = f[i];
        if (c != '%' || i + 1 >= f.size()) {
            if (c == '\'' || c == '"') out += c == '"' ? "'\"'" : "\"'\"";
            else if (std::isalpha(static_cast<unsigned char>(c))) out += std::string("\"") + c + "\"";
            else out += c;
            continue;
        }
        char k = f[++i];
        if (k == 'E' || k == 'O' || k == '-' || k == '_' || k == '0' || k == '^' || k == '#') {
            if (i + 1 >= f.size()) break;
            k = f[++i];
        }
        switch (k) {
            case 'd': out += "dd"; break;
            case 'e': out += "d"; break;
            case 'm': out += "mm"; break;
            case 'y': out += "yy"; break;
            case 'Y': out += "yyyy"; break;
            case 'b': case 'h': out += "mmm"; break;
            case 'B': out += "mmmm"; break;
            case 'a': out += "ddd"; break;
            case 'A': out += "dddd"; break;
            case 'H': out += "hh"; break;
            case 'k': out += "h"; break;
            case 'I': out += "hh"; break;
            case 'l': out += "h"; break;
            case 'M': out += "nn"; break;
            case 'S': out += "ss"; break;
            case 'p': case 'P': out += "ampm"; break;
            case 'D': out += "mm/dd/yy"; break;
            case 'F': out += "yyyy-mm-dd"; break;
            case 'T': out += "hh:nn:ss"; break;
            case 'R': out += "hh:nn"; break;
            case 'r': out += "hh:nn:ss ampm"; break;
            case 'n': case 't': out += ' '; break;
            case '%': out += '%'; break;
            default: break;
        }
    }
    // Separators of the pattern language: the formatter writes the locale's own ones.
    return out;
}

TFormatSettings TFormatSettings::FromLocale(const std::string& localeName) {
    TFormatSettings s;
    locale_t loc = newlocale(LC_ALL_MASK, localeName.c_str(), static_cast<locale_t>(nullptr));
    if (!loc) return s;
    const char* ctype = nl_langinfo_l(CODESET, loc);
    std::string name = localeName;
    if (name.empty()) {
        const char* env = std::getenv("LC_ALL");
        if (!env || !*env) env = std::getenv("LC_NUMERIC");
        if (!env || !*env) env = std::getenv("LANG");
        name = env ? env : "";
    }
    if (name.empty() || name == "C" || name == "POSIX" || name.rfind("C.", 0) == 0) {
        s.CodePage = CodePageOfCodeset(ctype);
        freelocale(loc);
        return s;
    }
    auto info = [&](nl_item item) { return std::string(nl_langinfo_l(item, loc)); };
    std::string radix = info(RADIXCHAR);
    if (radix.size() == 1) s.DecimalSeparator = radix[0];
    s.ThousandSeparator = info(THOUSEP);
    if (s.ThousandSeparator.empty()) s.ThousandSeparator = s.DecimalSeparator == ',' ? "." : ",";
    s.ListSeparator = s.DecimalSeparator == ',' ? ';' : ',';
    std::string currency = info(CRNCYSTR);
    if (!currency.empty() && (currency[0] == '-' || currency[0] == '+' || currency[0] == '.'))
        currency.erase(0, 1);
    if (!currency.empty()) s.CurrencyString = currency;

    std::string dfmt = info(D_FMT);
    std::string tfmt = info(T_FMT);
    std::string ampmFmt = info(T_FMT_AMPM);
    s.TimeAMString = info(AM_STR);
    s.TimePMString = info(PM_STR);
    bool twelveHour = !s.TimeAMString.empty() && tfmt.find("%r") != std::string::npos;
    std::string shortDate = DateTimePatternFromStrftime(dfmt);
    // Four-digit years read back without guessing the century.
    if (shortDate.find("yyyy") == std::string::npos) {
        auto y = shortDate.find("yy");
        if (y != std::string::npos) shortDate.replace(y, 2, "yyyy");
    }
    s.DateSeparator = FirstSeparator(shortDate, '/');
    // The pattern names the separator by "/", so that changing DateSeparator changes both.
    for (char& c : shortDate)
        if (c == s.DateSeparator) c = '/';
    if (!shortDate.empty()) s.ShortDateFormat = shortDate;
    std::string longTime = DateTimePatternFromStrftime(twelveHour ? ampmFmt : tfmt);
    if (!longTime.empty()) {
        s.LongTimeFormat = longTime;
        s.ShortTimeFormat = WithoutSeconds(longTime);
    }
    s.TimeSeparator = FirstSeparator(s.LongTimeFormat, ':');
    s.LongDateFormat = "dddd, " + s.ShortDateFormat;
    if (s.TimeAMString.empty()) s.TimeAMString = "AM";
    if (s.TimePMString.empty()) s.TimePMString = "PM";
    for (int i = 0; i < 12; ++i) {
        s.ShortMonthNames[i] = info(ABMON_1 + i);
        s.LongMonthNames[i] = info(MON_1 + i);
    }
    for (int i = 0; i < 7; ++i) {
        s.ShortDayNames[i] = info(ABDAY_1 + i);
        s.LongDayNames[i] = info(DAY_1 + i);
    }
    s.CodePage = CodePageOfCodeset(ctype);
    freelocale(loc);
    return s;
}

namespace detail {

std::atomic<TFormatSettings*> LoadedFormatSettings{nullptr};

TFormatSettings& LoadFormatSettings() {
    TFormatSettings& settings = Storage();
    LoadedFormatSettings.store(&settings, std::memory_order_release);
    return settings;
}

}  // namespace detail

void SetFormatSettings(const TFormatSettings& settings) { Storage() = settings; }

}  // namespace ostrel
