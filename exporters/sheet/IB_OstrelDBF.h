// dBase III tables: a header, one descriptor per column, fixed-length records.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "engine/IB_Ostrel.h"

namespace ostrel {

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

    void AddField(const TDBFField& field) { Fields.push_back(field); }
    void WriteHeader();
    // Writes field Index of the current record; field 0 begins a record.
    void WriteField(int index, const std::string& text);
    uint32_t RecordCount() const { return FRecordCount; }
    // Stores the record count at offset 4; later calls do nothing more.
    void Finish();

private:
    uint32_t FRecordCount = 0;
    bool FHeaderWritten = false;
    bool FFinished = false;
};

class TIB_OstrelDBF : public TIB_OstrelText {
public:
    using TIB_OstrelText::TIB_OstrelText;
    // A dBase record length is a 16-bit number.
    static constexpr int kMaxRecordLength = 65535;

protected:
    TOstrelWriterClass GetWriterClass() override { return &CreateWriterOf<TODBFWriter>; }
    void BeginExport() override;
    void WriteDataRow() override;
    void EndExport() override;

private:
    TODBFWriter& Dbf() { return static_cast<TODBFWriter&>(*Writer()); }
    std::string NumberField(int index);
    // The failure for a value of an integer column that is no integer.
    EConvertError NotAnInteger(int index, const std::string& text);
    std::string DateField(int index);
};

}  // namespace ostrel
