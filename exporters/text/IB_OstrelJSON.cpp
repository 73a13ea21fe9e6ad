#include "exporters/text/IB_OstrelJSON.h"

#include <unordered_set>

#include "platform/CodePage.h"
#include "platform/FormatSettings.h"
#include "platform/Parsers.h"

namespace ostrel {

namespace {

constexpr char kHex[] = "0123456789abcdef";

// The escape of a quote, a backslash or a control character: the short one where JSON has it.
void AppendEscaped(std::string& out, unsigned char b) {
    switch (b) {
        case '"': out += "\\\""; return;
        case '\\': out += "\\\\"; return;
        case '\b': out += "\\b"; return;
        case '\f': out += "\\f"; return;
        case '\n': out += "\\n"; return;
        case '\r': out += "\\r"; return;
        case '\t': out += "\\t"; return;
        default: break;
    }
    const char code[] = {'\\', 'u', '0', '0', kHex[b >> 4], kHex[b & 15]};
    out.append(code, sizeof code);
}

// The inside of a JSON string from UTF-8 text: valid sequences are copied in runs, bad bytes
// become U+FFFD.
void AppendUtf8Body(std::string& out, std::string_view text) {
    size_t run = 0;  // start of the bytes not yet copied
    for (size_t i = 0; i < text.size();) {
        const auto b = static_cast<unsigned char>(text[i]);
        if (b >= 0x20 && b < 0x80 && b != '"' && b != '\\') {
            ++i;
            continue;
        }
        if (b < 0x80) {
            out.append(text.data() + run, i - run);
            AppendEscaped(out, b);
            run = ++i;
            continue;
        }
        // Two- and three-byte characters, most of what is not ASCII, are checked here; the rest,
        // the line ends below, and everything that fails, by the decoder.
        const size_t length = ShortUtf8Length(text, i);
        const bool lineEnd = (length == 2 && b == 0xC2 && text[i + 1] == '\x85') ||
                             (length == 3 && b == 0xE2 && text[i + 1] == '\x80' &&
                              (text[i + 2] == '\xA8' || text[i + 2] == '\xA9'));
        if (length && !lineEnd) {
            i += length;
            continue;
        }
        size_t next = i;
        const char32_t cp = DecodeUtf8At(text, next);
        // U+FFFD also stands for a broken byte. U+0085, U+2028 and U+2029 end lines to readers
        // that split at every Unicode line end (and U+2028, U+2029 to JavaScript): escaped, every
        // object of JSON Lines stays on its line for them too.
        if (cp != 0xFFFD && cp != 0x85 && cp != 0x2028 && cp != 0x2029) {
            i = next;
            continue;
        }
        out.append(text.data() + run, i - run);
        out += cp == 0xFFFD ? "\xEF\xBF\xBD" : cp == 0x85 ? "\\u0085" : cp == 0x2028 ? "\\u2028" : "\\u2029";
        run = i = next;
    }
    out.append(text.data() + run, text.size() - run);
}

void AppendBody(std::string& out, std::string_view text, int codePage) {
    if (codePage == CP_UTF8) AppendUtf8Body(out, text);
    else AppendUtf8Body(out, ConvertCodePage(text, codePage, CP_UTF8));
}

bool IsNumberType(TOstrelColType type) { return type == ectInteger || type == ectFloat || type == ectCurrency; }

// Decimals written at least, so that every value of a column reads as one kind of number:
// floats with a point, currency amounts with their four decimals.
int MinDecimals(TOstrelColType type) { return type == ectFloat ? 1 : type == ectCurrency ? 4 : 0; }

void AppendIsoValue(std::string& out, TOstrelColType type, TDateTime value) {
    AppendIsoDateTime(out, value, type != ectTime, type != ectDate, 'T', '\0');
}

}  // namespace

void AppendJsonString(std::string& out, std::string_view text, int codePage) {
    out += '"';
    AppendBody(out, text, codePage);
    out += '"';
}

void AppendJsonNumber(std::string& out, const TDecimal& value, int minDecimals) {
    const std::string& d = value.Digits;
    const int n = static_cast<int>(d.size()), e = value.Exponent;  // value = 0.d x 10^e
    auto fraction = [&](int written) {
        if (written < minDecimals) out.append(static_cast<size_t>(minDecimals - written), '0');
    };
    if (value.IsZero()) {
        out += '0';
        if (minDecimals > 0) out += '.';
        fraction(0);
        return;
    }
    if (value.Negative) out += '-';
    if (e > 0 && e <= 21) {
        if (n <= e) {
            out += d;
            out.append(static_cast<size_t>(e - n), '0');
            if (minDecimals > 0) out += '.';
            fraction(0);
        } else {
            out.append(d, 0, static_cast<size_t>(e));
            out += '.';
            out.append(d, static_cast<size_t>(e));
            fraction(n - e);
        }
    } else if (e <= 0 && e > -6) {
        out += "0.";
        out.append(static_cast<size_t>(-e), '0');
        out += d;
        fraction(n - e);
    } else {
        out += d[0];
        if (n > 1) {
            out += '.';
            out.append(d, 1);
        }
        out += 'E';
        out += std::to_string(e - 1);
    }
}

bool IsJsonNumber(std::string_view t) {
    size_t i = 0;
    auto digits = [&] {
        const size_t start = i;
        while (i < t.size() && t[i] >= '0' && t[i] <= '9') ++i;
        return i > start;
    };
    if (i < t.size() && t[i] == '-') ++i;
    if (i < t.size() && t[i] == '0') ++i;
    else if (!digits()) return false;
    if (i < t.size() && t[i] == '.') {
        ++i;
        if (!digits()) return false;
    }
    if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
        ++i;
        if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
        if (!digits()) return false;
    }
    return i == t.size();
}

void TIB_OstrelJSON::BeginExport() {
    TIB_OstrelText::BeginExport();
    FCodePage = FormatSettings().CodePage;
    FDatasetColumns.clear();
    for (int i = 0; i < Columns().Count(); ++i) FDatasetColumns.push_back(DatasetColumn(i));
    MakeKeys();
    FRowsWritten = 0;
    FDocumentOpen = true;
    if (FLayout == jlArray) Writer()->Write("[");
    // A run stopped here, by OnBeginExport, ends without EndExport: its document ends now.
    if (Aborted()) CloseDocument();
}

void TIB_OstrelJSON::MakeKeys() {
    const int count = Columns().Count();
    FKeys.clear();
    FKeyTexts.clear();
    FMembers.clear();
    std::vector<std::string>& encoded = FKeyTexts;
    for (int i = 0; i < count; ++i) {
        const TOstrelColumn& c = Columns()[i];
        FKeys.push_back(FCaptionsAsKeys ? c.Caption : c.Name);
        encoded.emplace_back();
        AppendJsonString(encoded.back(), FKeys.back(), FCodePage);
    }
    // Every key as the columns give it, so that a made-up key never takes a later column's own.
    const std::unordered_set<std::string> given(encoded.begin(), encoded.end());
    std::unordered_set<std::string> used;
    for (int i = 0; i < count; ++i) {
        if (used.insert(encoded[i]).second) continue;
        for (int n = 2;; ++n) {
            std::string key = FKeys[i] + "_" + std::to_string(n), text;
            AppendJsonString(text, key, FCodePage);
            if (given.count(text) || !used.insert(text).second) continue;
            FKeys[i] = std::move(key);
            encoded[i] = std::move(text);
            break;
        }
    }
    for (int i = 0; i < count; ++i) FMembers.push_back((i ? "," : "") + encoded[i] + ":");
}

std::string TIB_OstrelJSON::GetColCaption(int Index) { return FKeyTexts.at(Index); }

TIB_OstrelJSON::TValueKind TIB_OstrelJSON::TextOfNumber(int Index, std::string& text) {
    const TOstrelColumn& c = Columns()[Index];
    TDecimal number;
    const TIB_Column* column = FDatasetColumns[Index];
    if (column && column->GetDecimal(number)) {
        // A typed read gives zero for what no decimal can hold (NaN, infinities): their text says.
        if (!number.IsZero() || c.ColType == ectInteger) {
            AppendJsonNumber(text, number, MinDecimals(c.ColType));
            return jvNumber;
        }
    }
    const std::string raw = SourceText(c);
    if (Trim(raw).empty()) return jvNull;
    int64_t whole;
    if (TryStrToInt64(raw, whole)) {
        number = TDecimal::FromInt64(whole);
    } else if (!TryStrToDecimal(raw, number)) {
        text += raw;
        return jvString;
    }
    AppendJsonNumber(text, number, MinDecimals(c.ColType));
    return jvNumber;
}

TIB_OstrelJSON::TValueKind TIB_OstrelJSON::TextOfDateTime(int Index, std::string& text) {
    const TOstrelColumn& c = Columns()[Index];
    TDateTime moment;
    const TIB_Column* column = FDatasetColumns[Index];
    if (column && column->GetDateTime(moment)) {
        AppendIsoValue(text, c.ColType, moment);
        return jvIso;
    }
    const std::string raw = SourceText(c);
    if (Trim(raw).empty()) return jvNull;
    if (TryStrToDateTime(raw, moment)) {
        AppendIsoValue(text, c.ColType, moment);
        return jvIso;
    }
    text += raw;
    return jvString;
}

TIB_OstrelJSON::TValueKind TIB_OstrelJSON::TextOfBoolean(int Index, std::string& text) {
    const std::string_view raw = SourceTextView(Columns()[Index]);
    // The data layer's own texts first, then any case and the Boolean texts of Formats.
    if (raw == "True") {
        text += "true";
        return jvTrue;
    }
    const std::string value = raw == "False" ? std::string(raw) : Trim(std::string(raw));
    if (value.empty()) return jvNull;
    if (value == "True" || SameText(value, "true") || SameText(value, Formats().BooleanTrue())) {
        text += "true";
        return jvTrue;
    }
    if (value == "False" || SameText(value, "false") || SameText(value, Formats().BooleanFalse())) {
        text += "false";
        return jvFalse;
    }
    text += raw;
    return jvString;
}

bool TIB_OstrelJSON::IsNullValue(int Index) {
    if (!FDocumentOpen) return TIB_OstrelText::IsNullValue(Index);
    const TIB_Column* column = FDatasetColumns[Index];
    return column && column->IsNull();
}

TIB_OstrelJSON::TValueKind TIB_OstrelJSON::ValueText(int Index, std::string& text) {
    if (IsNullValue(Index)) return jvNull;
    const TOstrelColumn& c = Columns()[Index];
    switch (c.ColType) {
        case ectInteger:
        case ectFloat:
        case ectCurrency: return TextOfNumber(Index, text);
        case ectDate:
        case ectTime:
        case ectDateTime: return TextOfDateTime(Index, text);
        case ectBoolean: return TextOfBoolean(Index, text);
        case ectString:
        case ectUnknown: break;
    }
    text += SourceText(c);
    return jvString;
}

void TIB_OstrelJSON::AppendOfKind(std::string& out, TValueKind kind, const std::string& text) {
    switch (kind) {
        case jvNull: out += "null"; break;
        case jvNumber:
        case jvTrue:
        case jvFalse: out += text; break;
        case jvIso:
            out += '"';
            out += text;
            out += '"';
            break;
        case jvString: AppendJsonString(out, text, FCodePage); break;
    }
}

void TIB_OstrelJSON::AppendValue(std::string& out, int Index) {
    if (OnGetExportText) {
        FValue.clear();
        const TValueKind kind = ValueText(Index, FValue);
        std::string text = FValue;
        OnGetExportText(this, Index, text);
        if (text == FValue) AppendOfKind(out, kind, FValue);
        else if (IsNumberType(Columns()[Index].ColType) && IsJsonNumber(text)) out += text;
        else AppendJsonString(out, text, FCodePage);
        return;
    }
    // Without a handler the text goes straight into the row: texts escaped from the source's,
    // numbers, Booleans and ISO texts written where they stand.
    const TOstrelColumn& c = Columns()[Index];
    if (c.ColType == ectString || c.ColType == ectUnknown) {
        if (IsNullValue(Index)) out += "null";
        else AppendJsonString(out, SourceTextView(c), FCodePage);
        return;
    }
    const size_t at = out.size();
    switch (ValueText(Index, out)) {
        case jvNumber:
        case jvTrue:
        case jvFalse: break;
        case jvNull: out += "null"; break;
        case jvIso:
            out.insert(at, 1, '"');
            out += '"';
            break;
        case jvString:
            FValue.assign(out, at);
            out.resize(at);
            AppendJsonString(out, FValue, FCodePage);
            break;
    }
}

void TIB_OstrelJSON::AppendObject(std::string& out) {
    out += '{';
    for (int i = 0; i < Columns().Count(); ++i) {
        out += FMembers[i];
        AppendValue(out, i);
    }
    out += '}';
}

std::string TIB_OstrelJSON::GetColData(int Index, bool) {
    std::string out;
    AppendValue(out, Index);
    return out;
}

std::string TIB_OstrelJSON::GetDataRow(bool) {
    std::string out;
    AppendObject(out);
    return out;
}

void TIB_OstrelJSON::WriteDataRow() {
    FRow.clear();
    if (FLayout == jlArray) FRow += FRowsWritten ? ",\n" : "\n";
    AppendObject(FRow);
    if (FLayout == jlLines) FRow += '\n';
    Writer()->Write(FRow);
    ++FRowsWritten;
}

void TIB_OstrelJSON::CloseDocument() {
    if (!FDocumentOpen) return;
    FDocumentOpen = false;
    if (FLayout == jlArray) Writer()->Write(FRowsWritten ? "\n]\n" : "]\n");
}

void TIB_OstrelJSON::AfterExport() {
    CloseDocument();
    TIB_OstrelText::AfterExport();
}

void TIB_OstrelJSON::EndExport() {
    // A run stopped before the end of the rows still gets a complete document.
    CloseDocument();
    TIB_OstrelText::EndExport();
}

TCharSet TIB_OstrelJSON::GetSpecialChars() {
    TCharSet set;
    for (int c = 0; c < 0x20; ++c) set.set(c);
    set.set('"');
    set.set('\\');
    return set;
}

std::string TIB_OstrelJSON::ReplaceSpecialChars(const std::string& Text) {
    std::string out;
    AppendBody(out, Text, FormatSettings().CodePage);
    return out;
}

}  // namespace ostrel
