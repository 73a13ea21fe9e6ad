// The workbook's number-format codes for the engine's value patterns.
//
// A cell shows its value through a number-format code, not through the engine's text, so each
// column's pattern is translated once per run, with the format settings of that moment:
//
// - Date-time patterns: n/nn become the minute codes m/mm; am/pm, a/p and ampm become AM/PM,
//   am/pm, A/P or a/p (ampm after the locale's strings; strings a code cannot show give AM/PM);
//   z and zzz become fractions of a second (0 and 000) when they follow the seconds and a point;
//   c, ddddd, dddddd, t and tt are replaced by the locale's patterns, translated in turn (c
//   without the time for date columns, whose values are whole days); / and : become the
//   locale's date and time separators; y and yyy become yy and yyyy, five or more m mmmm.
// - Number patterns: digit placeholders, the first point and the exponent as the engine reads
//   them; grouping as a comma between integer placeholders (a comma elsewhere would scale or
//   be shown); no point when no decimal placeholder follows it; a section without integer
//   placeholders shows the integer digits through "#"; an empty negative section becomes the
//   positive one behind a minus, an empty first one General, an empty last one is dropped.
// - Literals: the engine's quoted texts are written in double quotes; other characters stay
//   bare unless they mean something in the codes (letters, digits, # % * , / ; ? @ [ \ ] _ "
//   and a point in numbers or after seconds) or lead a section (which one reader drops).
//
// A pattern that uses what only the workbook's codes have (brackets, backslash escapes, _, *,
// @, ?, %, the word General, fractions of a second as ss.0) is taken as such a code and kept,
// and so is a pattern whose translation gives the same text: m/d/yyyy h:mm AM/PM,
// yyyy-mm-dd hh:mm:ss, #,##0.00 and "00.00$" are written as they are.
//
// What a code cannot say, and so shows otherwise than the engine's text:
// - a month right after an hour or right before seconds, which the codes read as minutes
//   (mm:ss), and a minute that is neither, which they read as a month;
// - an hour after the am/pm element, or in a part (t, c, ...) other than the am/pm element's,
//   is on the twelve-hour clock in the workbook (the engine counts only an am/pm after it in
//   the same part);
// - mixed-case am/pm elements (shown in capitals) and am/pm strings other than AM/PM, am/pm,
//   A/P and a/p (shown as AM/PM);
// - z shows tenths in the workbook and the milliseconds in the engine; milliseconds that do not
//   follow the seconds and a point are written as zeros;
// - c shows the time also at midnight for date-and-time columns;
// - the engine uses the third section for every value that rounds to zero in its section, the
//   workbook only for zero; scientific notation with more than one integer placeholder;
// - day and month names and the decimal and thousands separators are the reader's.
#pragma once

#include <string>
#include <string_view>

namespace ostrel {

// What a column holds, as far as its pattern's translation cares.
enum class TXlsValueKind {
    Number,    // integer, floating-point and currency columns: number patterns
    Date,      // dates: date-time patterns, values without a time of day
    DateTime,  // times and timestamps: date-time patterns
};

// Whether the pattern uses something only the workbook's codes have, and so is such a code.
bool IsXlsFormatCode(std::string_view pattern, TXlsValueKind kind);

// The number-format code that shows a column's values as the engine's pattern does; "General"
// for an empty number pattern.
std::string XlsNumberFormat(std::string_view pattern, TXlsValueKind kind);

}  // namespace ostrel
