// dBase III tables: a header, one descriptor per column, fixed-length records.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "engine/IB_Ostrel.h"

namespace ostrel {

class TOutputFiles;

// The dBase language driver byte that names a code page; 0 when dBase has none for it (UTF-8).
uint8_t DbfLanguageDriver(int codePage);
// The text of the companion file that names a table's code page for readers that look for one
// beside the table: "UTF-8", or the number of the code page.
std::string DbfCodePageText(int codePage);
// The companion's name: the table's with the extension ".cpg" (".CPG" beside an upper-case one).
std::string DbfCodePageFileName(const std::string& tableName);

struct TDBFField {
    std::array<char, 11> Name{};
    char Type = 'C';
    uint32_t Offset = 0;
    uint8_t Length = 0;
    uint8_t Decimals = 0;
};

// Keeps the header and descriptors; the record count is written into the header when the
// writer finishes, however the run ended.
class TODBFWriter : public TOstrelWriter {
public:
    using TOstrelWriter::TOstrelWriter;
    ~TODBFWriter() override;

    std::array<uint8_t, 32> HeaderImage{};
    std::vector<TDBFField> Fields;
    uint8_t LanguageDriver = 0;  // byte 29 of the header

    void AddField(const TDBFField& field) { Fields.push_back(field); }
    // The deletion flag and every field.
    uint32_t RecordLength() const;
    void WriteHeader();
    // Writes field Index of the current record; field 0 begins a record, which is complete
    // once its last field is in.
    void WriteField(int index, std::string_view text);
    // Writes the records kept so far (a record whose last fields never came, blank in them).
    void FlushRecords();
    uint32_t RecordCount() const { return FRecordCount; }
    // Writes the records kept and stores the record count at offset 4; later calls do nothing
    // more.
    void Finish();

private:
    void EndRecord();

    // Complete records kept to be written some 64 KB at a time, then the record being filled,
    // blank where no field came yet.
    std::string FRecords;
    size_t FRecordStart = 0;
    uint32_t FRecordLength = 0;  // RecordLength(), taken at the first record
    bool FFilling = false;
    uint32_t FRecordCount = 0;
    bool FHeaderWritten = false;
    bool FFinished = false;
};

class TIB_OstrelDBF : public TIB_OstrelText {
public:
    using TIB_OstrelText::TIB_OstrelText;
    // A dBase record length is a 16-bit number.
    static constexpr int kMaxRecordLength = 65535;

    // Writes the table and, where its header cannot name the code page, the companion file
    // naming it; both appear only when the run succeeds.
    void DoExecute() override;

protected:
    TOstrelWriterClass GetWriterClass() override { return &CreateWriterOf<TODBFWriter>; }
    void BeginExport() override;
    void WriteDataRow() override;
    void EndExport() override;

private:
    TODBFWriter& Dbf() { return static_cast<TODBFWriter&>(*Writer()); }
    void WriteCodePageFile(int codePage);
    // The text of a value for a numeric or date field.
    std::string FieldText(int index);
    std::string NumberField(int index);
    std::string NumberText(int index, bool isInteger);
    std::string DateField(int index);
    // Failures naming the row and column of the value.
    EConvertError ValueError(int index, const std::string& what);
    EConvertError NotAnInteger(int index, const std::string& text);

    TOutputFiles* FOutputs = nullptr;  // the files of the run in progress
    std::string FValue;  // a text field's value on the fast rows
};

}  // namespace ostrel
