#include "exporters/sheet/IB_OstrelDBF.h"

#include <cstdio>
#include <cstring>
#include <ctime>

#include "platform/ByteOrder.h"
#include "platform/CodePage.h"
#include "platform/FormatSettings.h"
#include "platform/Parsers.h"

namespace ostrel {

namespace {

bool IsWhole(const TDecimal& value) { return static_cast<int>(value.Digits.size()) <= value.Exponent; }

// A number in the locale's form, or with a point whatever the locale says, as source texts may
// carry one.
bool TryReadNumber(const std::string& text, TDecimal& value) {
    if (TryStrToDecimal(text, value)) return true;
    TFormatSettings point = FormatSettings();
    point.DecimalSeparator = '.';
    TFormatSettingsScope scope(point);
    return TryStrToDecimal(text, value);
}

}  // namespace

TODBFWriter::~TODBFWriter() {
    try {
        Finish();
    } catch (...) {
        // A failing run reports its own error.
    }
}

void TODBFWriter::WriteHeader() {
    std::time_t now = std::time(nullptr);
    std::tm tm{};
    localtime_r(&now, &tm);
    HeaderImage.fill(0);
    HeaderImage[0] = 0x03;
    HeaderImage[1] = static_cast<uint8_t>(tm.tm_year);
    HeaderImage[2] = static_cast<uint8_t>(tm.tm_mon + 1);
    HeaderImage[3] = static_cast<uint8_t>(tm.tm_mday);
    uint32_t recordLength = 1;
    for (const auto& f : Fields) recordLength += f.Length;
    PutLE16(&HeaderImage[8], static_cast<uint32_t>(32 * (Fields.size() + 1) + 1));
    PutLE16(&HeaderImage[10], recordLength);
    Stream().Write(HeaderImage.data(), HeaderImage.size());
    for (const auto& f : Fields) {
        uint8_t d[32] = {};
        std::memcpy(d, f.Name.data(), 11);
        d[11] = static_cast<uint8_t>(f.Type);
        PutLE32(d + 12, f.Offset);
        d[16] = f.Length;
        d[17] = f.Decimals;
        Stream().Write(d, sizeof d);
    }
    Write("\x0D");
    FHeaderWritten = true;
}

void TODBFWriter::WriteField(int index, const std::string& text) {
    const TDBFField& f = Fields[index];
    std::string b(f.Length, ' ');
    if (!text.empty()) {
        switch (f.Type) {
            case 'C': {
                const std::string_view cut = HeadOfBytes(text, f.Length);
                b.replace(0, cut.size(), cut);
                break;
            }
            case 'N':
                b.replace(f.Length - text.size(), text.size(), text);
                break;
            case 'D':
                b.replace(0, std::min<size_t>(text.size(), 8), text.substr(0, 8));
                break;
            case 'L': {
                const std::string upper = UpperCase(text);
                b[0] = upper.find("TRUE") != std::string::npos ? 'T' : upper.find("FALSE") != std::string::npos ? 'F' : ' ';
                break;
            }
        }
    }
    if (index == 0) {
        Write(" ");
        ++FRecordCount;
    }
    Write(b);
}

void TODBFWriter::Finish() {
    if (FFinished || !FHeaderWritten) return;
    FFinished = true;
    TStream& s = Stream();
    const int64_t end = s.Size();
    uint8_t count[4];
    PutLE32(count, FRecordCount);
    s.SetPosition(4);
    s.Write(count, sizeof count);
    s.SetPosition(end);
}

void TIB_OstrelDBF::BeginExport() {
    TIB_OstrelText::BeginExport();
    TODBFWriter& w = Dbf();
    uint32_t offset = 0;
    for (int i = 0; i < Columns().Count(); ++i) {
        const TOstrelColumn& c = Columns()[i];
        TDBFField f;
        std::string name = GetColCaption(i);
        for (char& ch : name)
            if (ch >= 'a' && ch <= 'z') ch = static_cast<char>(ch - 32);
        const std::string_view cut = HeadOfBytes(name, 10);
        std::memcpy(f.Name.data(), cut.data(), cut.size());
        switch (c.ColType) {
            case ectInteger: f.Type = 'N'; f.Length = 11; break;
            case ectFloat:
            case ectCurrency: f.Type = 'N'; f.Length = 15; f.Decimals = 4; break;
            case ectDate:
            case ectTime:
            case ectDateTime: f.Type = 'D'; f.Length = 8; break;
            case ectString: f.Type = 'C'; f.Length = 254; break;
            case ectBoolean: f.Type = 'L'; f.Length = 1; break;
            case ectUnknown: f.Type = 'C'; f.Length = 10; break;
        }
        f.Offset = offset;
        offset += f.Length;
        w.AddField(f);
    }
    if (offset + 1 > static_cast<uint32_t>(kMaxRecordLength))
        throw EOstrelError("A record of " + std::to_string(offset + 1) +
                           " bytes is longer than a dBase table can hold (65,535 bytes)");
    w.WriteHeader();
}

// "%15.4f" of the value, with a point whatever the locale; NULL and empty texts are 0 there.
// Integer fields take only integers: an empty text is blank, as a NULL is, and a value with a
// fraction or no number at all fails the run rather than be rounded or replaced.
// A value wider than its field is an error: a reader would take the bytes for another number.
std::string TIB_OstrelDBF::NumberField(int index) {
    const TOstrelColumn& c = Columns()[index];
    const bool isInteger = c.ColType == ectInteger;
    const bool isNull = IsNullValue(index);
    TDecimal value;
    bool typed = false;
    if (!isNull && !OnGetExportText)
        if (const TIB_Column* column = DatasetColumn(index)) typed = column->GetDecimal(value);
    if (!typed && !isNull) {
        const std::string text = GetColData(index, false);
        int64_t whole;
        if (!isInteger) {
            if (!text.empty() && !TryReadNumber(text, value)) value = StrToDecimal(text);
        } else if (text.empty()) {
            return {};
        } else if (TryStrToInt64(text, whole)) {
            value = TDecimal::FromInt64(whole);
        } else if (!TryReadNumber(text, value) || !IsWhole(value)) {
            throw NotAnInteger(index, text);
        }
    }
    if (typed && isInteger && !IsWhole(value)) throw NotAnInteger(index, GetColData(index, false));
    std::string out = FormatDecimal(isInteger ? "0" : "0.0000", value);
    if (!isInteger) {
        const size_t comma = out.find(FormatSettings().DecimalSeparator);
        if (comma != std::string::npos) out[comma] = '.';
    }
    const size_t width = isInteger ? 11 : 15;
    if (out.size() > width)
        throw EConvertError("The value " + out + " does not fit the " + std::to_string(width) +
                            " characters of the field " + c.Name);
    return out;
}

EConvertError TIB_OstrelDBF::NotAnInteger(int index, const std::string& text) {
    return EConvertError("Row " + std::to_string(RecordCounter() + 1) + ", column " +
                         Columns()[index].Caption + ": '" + text +
                         "' is not an integer, and the column's dBase field holds integers only");
}

std::string TIB_OstrelDBF::DateField(int index) {
    TDateTime value = 0;
    bool typed = false;
    if (IsNullValue(index)) {
        if (Formats().NullString().empty()) return {};
    } else if (!OnGetExportText) {
        if (const TIB_Column* column = DatasetColumn(index)) typed = column->GetDateTime(value);
    }
    if (!typed) {
        const std::string text = GetColData(index, false);
        if (text.empty()) return {};
        value = StrToDateTime(text);
    }
    const TDateParts p = DecodeDateTime(value);
    char buf[16];
    std::snprintf(buf, sizeof buf, "%04d%02d%02d", p.Year, p.Month, p.Day);
    return buf;
}

void TIB_OstrelDBF::WriteDataRow() {
    TODBFWriter& w = Dbf();
    for (int i = 0; i < Columns().Count(); ++i) {
        const TOstrelColumn& c = Columns()[i];
        std::string text;
        switch (c.ColType) {
            case ectInteger:
                // A NULL stays blank, as dBase readers take it for "no value".
                text = IsNullValue(i) && Formats().NullString().empty() ? std::string() : NumberField(i);
                break;
            case ectFloat:
            case ectCurrency: text = NumberField(i); break;
            case ectDate:
            case ectTime:
            case ectDateTime: text = DateField(i); break;
            default: text = GetColData(i, false); break;
        }
        w.WriteField(i, text);
    }
}

void TIB_OstrelDBF::EndExport() {
    Writer()->Write("\x1A");
    Dbf().Finish();
    TIB_OstrelText::EndExport();
}

}  // namespace ostrel
