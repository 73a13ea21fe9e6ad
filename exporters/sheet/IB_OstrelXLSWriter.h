// The workbook of the XLS exporter: one worksheet in BIFF8 records, kept as the "Workbook"
// stream of a compound file. Styles and shared strings are only known at the end, so the
// writer leaves two insertion points in the globals and back-patches offsets.
#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "engine/IB_OstrelWriter.h"
#include "exporters/sheet/IB_OstrelXLSFormats.h"
#include "platform/ByteBuffer.h"

namespace ostrel {

class TIB_OstrelXLS;

// What a run has written so far: insertion points, the shared strings and the sheet's extent.
struct TxlsRunState {
    static constexpr int kMaxBlock = 8224;  // body bytes of an SST or CONTINUE record

    uint64_t StyleInsertPos = 0, SheetOffsetPos = 0, SSTInsertPos = 0, DimensionsPos = 0;
    int64_t StyleSize = 0, SSTSize = 0;
    std::deque<std::string> SSTStrings;  // distinct texts in order of first use
    std::vector<uint32_t> SSTLengths;    // their lengths in UTF-16 units
    uint32_t SSTStringCount = 0;
    std::vector<int> SSTBlockSizes;
    int SSTBlockFill = 8;
    int64_t SSTTotalSize = 8;
    int CurrentRow = 0;
    int ColumnCount = 0;

    void Reset();
    // The SST index of the text, appending it when new and accounting for its bytes.
    uint32_t AddSSTString(std::string_view text);

private:
    std::unordered_map<std::string_view, uint32_t> FLookup;  // keys point into SSTStrings
};

class TOXLSWriter : public TOstrelWriter {
public:
    static constexpr uint16_t kWorkbookGlobals = 0x0005, kWorksheet = 0x0010;

    // The compound file goes to `file` when the writer finishes.
    TOXLSWriter(TIB_OstrelXLS& exporter, TStream& file);
    ~TOXLSWriter() override;

    uint8_t* Buffer() { return FBuffer.data(); }
    uint16_t RecordId = 0, RecordLength = 0;

    uint64_t GetPosition() const { return FPos; }
    void WriteRecord(uint16_t id, uint16_t length);
    void WriteWordRecord(uint16_t id, uint16_t value);
    // Moves everything from `position` on `size` bytes towards the end and positions the
    // stream at `position`.
    void OpenGap(uint64_t position, uint64_t size);
    void AddToOffsetField(uint64_t position, int64_t delta);

    void WriteBOF(uint16_t kind);
    void WriteFixedXF(int i);
    void WriteFormatRecord(const TxlsTextFormat& format);
    void WritePageText(uint16_t id, const std::string& text);
    void WriteBoundSheet();
    void WriteGlobals();
    void WriteSheetHeader();
    void WriteColInfo(int column, int width);
    void WriteLabel(int row, int col, uint16_t xf, uint32_t sstIndex, std::string_view text);
    static constexpr size_t kMaxLabelBytes = 32767;
    // Fails for a text too long for a cell.
    static void CheckLabelLength(int row, int col, std::string_view text);
    void WriteNumber(int row, int col, uint16_t xf, double value);
    void WriteBoolean(int row, int col, uint16_t xf, bool value);
    void WriteAggregate(int row, int col, uint16_t xf, TxlsAggregate aggregate, int firstRow, int lastRow);
    void WriteSheetTail();
    int64_t InsertStyleRecords();
    void InsertSST();
    void PatchDimensions();
    // The tail, the insertions, the patches and the final EOF.
    void CompleteWorkbook();

    // The workbook stream as written so far.
    std::string_view Workbook() const { return FData; }
    // Writes the compound file once; the destructor does it when nobody did.
    void Flush();

private:
    void Put(const void* data, size_t size);
    void Seek(uint64_t position) { FPos = position; }
    void SeekEnd() { FPos = FData.size(); }

    TIB_OstrelXLS& FExporter;
    TxlsRunState& FRun;
    std::vector<uint8_t> FBuffer;
    TByteBuffer FData;
    uint64_t FPos = 0;
    bool FFlushed = false;
};

}  // namespace ostrel
