#include "exporters/sheet/IB_OstrelDBF.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <filesystem>

#include "platform/ByteOrder.h"
#include "platform/CodePage.h"
#include "platform/FormatSettings.h"
#include "platform/OutputFiles.h"
#include "platform/Parsers.h"

namespace ostrel {

namespace {

bool IsWhole(const TDecimal& value) { return static_cast<int>(value.Digits.size()) <= value.Exponent; }

// A sign and digits only: the form every dBase reader reads as the same integer.
bool IsPlainInteger(std::string_view text) {
    if (!text.empty() && (text[0] == '-' || text[0] == '+')) text.remove_prefix(1);
    if (text.empty()) return false;
    for (char c : text)
        if (c < '0' || c > '9') return false;
    return true;
}

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

uint8_t DbfLanguageDriver(int codePage) {
    // The Windows and DOS code pages of the dBase language drivers; the first driver of each.
    static constexpr struct {
        int CodePage;
        uint8_t Driver;
    } kDrivers[] = {
        {437, 0x01},   {850, 0x02},   {1252, 0x03},  {10000, 0x04}, {863, 0x1C},  {860, 0x24},
        {852, 0x64},   {866, 0x65},   {865, 0x66},   {861, 0x67},   {737, 0x6A},  {857, 0x6B},
        {950, 0x78},   {949, 0x79},   {936, 0x7A},   {932, 0x7B},   {874, 0x7C},  {1255, 0x7D},
        {1256, 0x7E},  {10007, 0x96}, {10029, 0x97}, {10006, 0x98}, {1250, 0xC8}, {1251, 0xC9},
        {1254, 0xCA},  {1253, 0xCB},  {1257, 0xCC},
    };
    for (const auto& d : kDrivers)
        if (d.CodePage == codePage) return d.Driver;
    return 0;
}

std::string DbfCodePageText(int codePage) { return codePage == CP_UTF8 ? "UTF-8" : std::to_string(codePage); }

std::string DbfCodePageFileName(const std::string& tableName) {
    const size_t slash = tableName.rfind('/');
    const size_t start = slash == std::string::npos ? 0 : slash + 1;
    const size_t dot = tableName.rfind('.');
    // A name that starts with its only point (".dbf") has no extension.
    const bool hasExtension = dot != std::string::npos && dot > start;
    const std::string extension = hasExtension ? tableName.substr(dot + 1) : std::string();
    const bool upper = extension.find_first_of("ABCDEFGHIJKLMNOPQRSTUVWXYZ") != std::string::npos &&
                       extension.find_first_of("abcdefghijklmnopqrstuvwxyz") == std::string::npos;
    return (hasExtension ? tableName.substr(0, dot) : tableName) + (upper ? ".CPG" : ".cpg");
}

TODBFWriter::~TODBFWriter() {
    try {
        Finish();
    } catch (...) {
        // A failing run reports its own error.
    }
}

uint32_t TODBFWriter::RecordLength() const {
    uint32_t length = 1;  // the deletion flag
    for (const auto& f : Fields) length += f.Length;
    return length;
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
    PutLE16(&HeaderImage[8], static_cast<uint32_t>(32 * (Fields.size() + 1) + 1));
    PutLE16(&HeaderImage[10], RecordLength());
    HeaderImage[29] = LanguageDriver;
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

namespace {

// Whether an upper-cased text would hold word (upper-case ASCII letters), without making the
// copy: a letter's two cases differ in one bit.
bool HoldsUpper(std::string_view text, std::string_view word) {
    for (size_t at = 0; at + word.size() <= text.size(); ++at) {
        size_t k = 0;
        while (k < word.size() && (text[at + k] & ~0x20) == word[k]) ++k;
        if (k == word.size()) return true;
    }
    return false;
}

}  // namespace

void TODBFWriter::WriteField(int index, std::string_view text) {
    if (index == 0) {
        EndRecord();
        // Records go to the file in blocks of about 64 KB, which the stream writes through.
        if (FRecords.size() >= (size_t{1} << 16)) FlushRecords();
        if (FRecordLength == 0) FRecordLength = RecordLength();
        FRecordStart = FRecords.size();
        FRecords.append(FRecordLength, ' ');  // the deletion flag blank: not deleted
        FFilling = true;
    }
    const TDBFField& f = Fields[index];
    char* b = FRecords.data() + FRecordStart + 1 + f.Offset;
    if (!text.empty()) {
        switch (f.Type) {
            case 'C': {
                const std::string_view cut = HeadOfBytes(text, f.Length);
                std::copy(cut.begin(), cut.end(), b);
                break;
            }
            case 'N':
                // Right-aligned; the exporter fails a wider number before it comes here.
                if (text.size() > f.Length)
                    throw EOstrelError("A number of " + std::to_string(text.size()) + " characters does not fit the " +
                                       std::to_string(f.Length) + " characters of its dBase field");
                std::copy(text.begin(), text.end(), b + (f.Length - text.size()));
                break;
            case 'D': std::copy_n(text.begin(), std::min<size_t>(text.size(), 8), b); break;
            case 'L': b[0] = HoldsUpper(text, "TRUE") ? 'T' : HoldsUpper(text, "FALSE") ? 'F' : ' '; break;
        }
    }
    if (index + 1 == static_cast<int>(Fields.size())) EndRecord();
}

void TODBFWriter::EndRecord() {
    if (!FFilling) return;
    FFilling = false;
    ++FRecordCount;
}

void TODBFWriter::FlushRecords() {
    EndRecord();
    if (FRecords.empty()) return;
    Write(FRecords);
    FRecords.clear();
}

void TODBFWriter::Finish() {
    if (FFinished || !FHeaderWritten) return;
    FFinished = true;
    FlushRecords();
    TStream& s = Stream();
    const int64_t end = s.Size();
    uint8_t count[4];
    PutLE32(count, FRecordCount);
    s.SetPosition(4);
    s.Write(count, sizeof count);
    s.SetPosition(end);
}

void TIB_OstrelDBF::DoExecute() {
    TOutputFiles files;
    FOutputs = &files;
    try {
        ExportToStream(files.Create(FileName()));
    } catch (...) {
        FOutputs = nullptr;
        throw;
    }
    FOutputs = nullptr;
    files.Commit();
    ShowResult();
}

// Readers that look for a ".cpg" file beside the table take it before the header's language
// driver. It is written where the header cannot name the code page (UTF-8 has no driver), and
// replaces one already there, so that a companion of an earlier run never contradicts the table.
void TIB_OstrelDBF::WriteCodePageFile(int codePage) {
    if (!FOutputs) return;
    const std::string& table = FileName();
    // A pipe or a device has no folder beside it to hold a companion.
    if (FOutputs->TemporaryName(table).empty()) return;
    const std::string name = DbfCodePageFileName(table);
    if (name == table) return;
    std::error_code error;
    if (DbfLanguageDriver(codePage) != 0 && !std::filesystem::is_regular_file(name, error)) return;
    FOutputs->Create(name).Write(DbfCodePageText(codePage));
}

void TIB_OstrelDBF::BeginExport() {
    TIB_OstrelText::BeginExport();
    NoteOwnClass<TIB_OstrelDBF>();
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
    const int codePage = FormatSettings().CodePage;
    w.LanguageDriver = DbfLanguageDriver(codePage);
    WriteCodePageFile(codePage);
    w.WriteHeader();
}

// NULL is no text in numeric and date fields (NullString is a text, for character fields), so a
// reader finds them blank, which dBase readers take for "no value"; the application's handler
// may still give one.
std::string TIB_OstrelDBF::FieldText(int index) {
    if (!IsNullValue(index)) return GetColData(index, false);
    std::string text;
    if (OnGetExportText) OnGetExportText(this, index, text);
    return text;
}

// A value keeps what it is: an integer text is copied as it is; other numbers are written with
// the field's decimals ("%15.4f" for floats, a point whatever the locale), and an integer field
// takes only whole ones. An empty text is blank. A text that is no number, or a number wider
// than its field (a reader would take the bytes for another number), fails the run.
std::string TIB_OstrelDBF::NumberField(int index) {
    const TOstrelColumn& c = Columns()[index];
    const bool isInteger = c.ColType == ectInteger;
    std::string text = NumberText(index, isInteger);
    if (text.empty()) return text;
    if (!isInteger) {
        const size_t comma = text.find(FormatSettings().DecimalSeparator);
        if (comma != std::string::npos) text[comma] = '.';
    }
    const size_t width = isInteger ? 11 : 15;
    if (text.size() > width)
        throw ValueError(index, "the value " + text + " does not fit the " + std::to_string(width) +
                                    " characters of the field " + c.Name);
    return text;
}

// The number's text in the locale's form; empty for a blank field.
std::string TIB_OstrelDBF::NumberText(int index, bool isInteger) {
    static const TNumberPattern kWhole("0"), kFixed("0.0000");
    std::string text;
    TCellValue cell;
    // A value read in one call is formatted from its binary form, as its decimal would be.
    switch (OnGetExportText ? ckNone : ReadSourceCell(index, cell)) {
        case ckNull: return text;
        case ckInteger: (isInteger ? kWhole : kFixed).AppendInt64(text, cell.Integer); return text;
        case ckFloat:
            if (isInteger) break;
            kFixed.AppendDouble(text, cell.Float);
            return text;
        default: break;
    }
    TDecimal value;
    bool typed = false;
    if (!OnGetExportText && !IsNullValue(index))
        if (const TIB_Column* column = DatasetColumn(index)) typed = column->GetDecimal(value);
    if (typed) {
        if (isInteger && !IsWhole(value)) throw NotAnInteger(index, GetColData(index, false));
    } else {
        text = Trim(FieldText(index));
        // Blank, or an integer text copied as it is.
        if (text.empty() || (isInteger && IsPlainInteger(text))) return text;
        if (!TryReadNumber(text, value)) {
            if (isInteger) throw NotAnInteger(index, text);
            throw ValueError(index, "'" + text + "' is not a number, and the column's dBase field holds numbers only");
        }
        if (isInteger && !IsWhole(value)) throw NotAnInteger(index, text);
    }
    return FormatDecimal(isInteger ? "0" : "0.0000", value);
}

EConvertError TIB_OstrelDBF::ValueError(int index, const std::string& what) {
    return EConvertError("Row " + std::to_string(RecordCounter() + 1) + ", column " + Columns()[index].Caption +
                         ": " + what);
}

EConvertError TIB_OstrelDBF::NotAnInteger(int index, const std::string& text) {
    return ValueError(index, "'" + text + "' is not an integer, and the column's dBase field holds integers only");
}

std::string TIB_OstrelDBF::DateField(int index) {
    TDateTime value = 0;
    bool typed = false;
    TCellValue cell;
    switch (OnGetExportText ? ckNone : ReadSourceCell(index, cell)) {
        case ckNull: return {};
        case ckDateTime:
            value = cell.Float;
            typed = true;
            break;
        default:
            if (!OnGetExportText && !IsNullValue(index))
                if (const TIB_Column* column = DatasetColumn(index)) typed = column->GetDateTime(value);
            break;
    }
    if (!typed) {
        const std::string text = Trim(FieldText(index));
        if (text.empty()) return {};
        if (!TryStrToDateTime(text, value))
            throw ValueError(index, "'" + text + "' is not a valid date and time");
    }
    const TDateParts p = cell.Split ? DecodeSplit(cell.Moment) : DecodeDateTime(value);
    if (p.Year >= 0 && p.Year <= 9999 && p.Month >= 0 && p.Month <= 99 && p.Day >= 0 && p.Day <= 99) {
        // YYYYMMDD, as every calendar date reads, without a formatted print per value.
        const char text[8] = {static_cast<char>('0' + p.Year / 1000),   static_cast<char>('0' + p.Year / 100 % 10),
                              static_cast<char>('0' + p.Year / 10 % 10), static_cast<char>('0' + p.Year % 10),
                              static_cast<char>('0' + p.Month / 10),     static_cast<char>('0' + p.Month % 10),
                              static_cast<char>('0' + p.Day / 10),       static_cast<char>('0' + p.Day % 10)};
        return std::string(text, sizeof text);
    }
    char buf[16];
    std::snprintf(buf, sizeof buf, "%04d%02d%02d", p.Year, p.Month, p.Day);
    return buf;
}

void TIB_OstrelDBF::WriteDataRow() {
    TODBFWriter& w = Dbf();
    const bool fast = FastRows<TIB_OstrelDBF>();
    for (int i = 0; i < Columns().Count(); ++i) {
        switch (Columns()[i].ColType) {
            case ectInteger:
            case ectFloat:
            case ectCurrency: w.WriteField(i, NumberField(i)); break;
            case ectDate:
            case ectTime:
            case ectDateTime: w.WriteField(i, DateField(i)); break;
            default:
                // Texts and Booleans: GetColData's text, read in place on the fast rows.
                if (fast) {
                    TCellValue cell;
                    switch (ReadSourceCell(i, cell)) {
                        case ckNull: w.WriteField(i, Formats().NullString()); break;
                        case ckText: w.WriteField(i, cell.Text); break;
                        default:
                            FValue.clear();
                            AppendExportText(FValue, i, false);
                            w.WriteField(i, FValue);
                            break;
                    }
                } else {
                    w.WriteField(i, GetColData(i, false));
                }
                break;
        }
    }
}

void TIB_OstrelDBF::EndExport() {
    Dbf().FlushRecords();
    Writer()->Write("\x1A");
    Dbf().Finish();
    TIB_OstrelText::EndExport();
}

}  // namespace ostrel
