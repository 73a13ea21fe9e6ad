#include "exporters/sheet/IB_OstrelXLSWriter.h"

#include <algorithm>
#include <cstring>

#include "exporters/sheet/IB_OstrelXLS.h"
#include "platform/ByteOrder.h"
#include "platform/CodePage.h"
#include "platform/CompoundFile.h"
#include "platform/Errors.h"

namespace ostrel {

namespace {

constexpr int kBlock = TxlsRunState::kMaxBlock;
// A string that fills a record by itself: its 3-byte header and 4110 characters; every later
// part is the option byte and up to 4111 characters, so no character is split.
constexpr uint32_t kFirstPartChars = (kBlock - 3) / 2;
constexpr uint32_t kNextPartChars = (kBlock - 1) / 2;

enum : uint16_t {
    idBOF = 0x0809, idWRITEACCESS = 0x005C, idCODEPAGE = 0x0042, idDSF = 0x0161, idTABID = 0x013D,
    idFNGROUPCOUNT = 0x009C, idWINDOWPROTECT = 0x0019, idPROTECT = 0x0012, idPASSWORD = 0x0013,
    idPROT4REV = 0x01AF, idPROT4REVPASS = 0x01BC, idWINDOW1 = 0x003D, idBACKUP = 0x0040,
    idHIDEOBJ = 0x008D, idDATEMODE = 0x0022, idPRECISION = 0x000E, idREFRESHALL = 0x01B7,
    idBOOKBOOL = 0x00DA, idFONT = 0x0031, idXF = 0x00E0, idFORMAT = 0x041E, idBOUNDSHEET = 0x0085,
    idCOUNTRY = 0x008C, idSST = 0x00FC, idCONTINUE = 0x003C, idEOF = 0x000A, idCALCMODE = 0x000D,
    idCALCCOUNT = 0x000C, idREFMODE = 0x000F, idITERATION = 0x0011, idDELTA = 0x0010,
    idSAVERECALC = 0x005F, idPRINTHEADERS = 0x002A, idPRINTGRIDLINES = 0x002B, idGRIDSET = 0x0082,
    idGUTS = 0x0080, idDEFAULTROWHEIGHT = 0x0225, idWSBOOL = 0x0081, idHEADER = 0x0014,
    idFOOTER = 0x0015, idHCENTER = 0x0083, idVCENTER = 0x0084, idDEFCOLWIDTH = 0x0055,
    idCOLINFO = 0x007D, idDIMENSIONS = 0x0200, idLABELSST = 0x00FD, idNUMBER = 0x0203,
    idBOOLERR = 0x0205, idFORMULA = 0x0006, idWINDOW2 = 0x023E, idSELECTION = 0x001D,
};

constexpr uint8_t kFixedXF[4][20] = {
    {0x00, 0x00, 0x00, 0x00, 0xF5, 0xFF, 0x20, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xC0, 0x20},
    {0x01, 0x00, 0x00, 0x00, 0xF5, 0xFF, 0x20, 0x00, 0x00, 0xF4, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xC0, 0x20},
    {0x02, 0x00, 0x00, 0x00, 0xF5, 0xFF, 0x20, 0x00, 0x00, 0xF4, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xC0, 0x20},
    {0x00, 0x00, 0x00, 0x00, 0xF5, 0xFF, 0x20, 0x00, 0x00, 0xF4, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xC0, 0x20},
};
// Row, column and XF: the start of every cell record.
void PutCellHeader(uint8_t* b, int row, int col, uint16_t xf) {
    PutLE16(b, static_cast<uint32_t>(row));
    PutLE16(b + 2, static_cast<uint32_t>(col));
    PutLE16(b + 4, xf);
}

// How many UTF-16 units each record takes of a string longer than one record: its header and
// up to 4110 units, then the option byte and up to 4111 units per record; a surrogate pair is
// never parted.
std::vector<uint32_t> LongStringParts(std::u16string_view text) {
    std::vector<uint32_t> parts;
    size_t done = 0;
    while (done < text.size()) {
        size_t part = std::min<size_t>(parts.empty() ? kFirstPartChars : kNextPartChars, text.size() - done);
        const char16_t last = text[done + part - 1];
        if (done + part < text.size() && last >= 0xD800 && last < 0xDC00) --part;
        parts.push_back(static_cast<uint32_t>(part));
        done += part;
    }
    return parts;
}

}  // namespace

// ---- run state

void TxlsRunState::Reset() {
    *this = TxlsRunState{};
}

uint32_t TxlsRunState::AddSSTString(std::string_view text) {
    // Equal texts (byte for byte) share an entry; the index is the text's first use.
    if (auto found = FLookup.find(text); found != FLookup.end()) return found->second;
    const uint32_t index = static_cast<uint32_t>(SSTStrings.size());
    const std::string& stored = SSTStrings.emplace_back(text);
    FLookup.emplace(stored, index);
    const uint32_t chars = static_cast<uint32_t>(Utf16Length(stored));
    SSTLengths.push_back(chars);
    int64_t n = 2 * int64_t{chars} + 3;
    if (SSTBlockFill + n > kBlock) {
        SSTBlockSizes.push_back(SSTBlockFill);
        SSTBlockFill = 0;
    }
    if (n > kBlock) {
        // Every part but the last fills a record of its own; the last one stays open.
        const std::vector<uint32_t> parts = LongStringParts(ToUtf16(stored));
        for (size_t p = 0; p + 1 < parts.size(); ++p) {
            const int size = (p == 0 ? 3 : 1) + 2 * static_cast<int>(parts[p]);
            SSTBlockSizes.push_back(size);
            SSTTotalSize += size;
        }
        n = 1 + 2 * int64_t{parts.back()};
    }
    SSTTotalSize += n;
    SSTBlockFill += static_cast<int>(n);
    SSTStringCount += 1;
    return index;
}

// ---- writer

TOXLSWriter::TOXLSWriter(TIB_OstrelXLS& exporter, TStream& file)
    : TOstrelWriter(file), FExporter(exporter), FRun(exporter.RunState()), FBuffer(kBlock) {
}

TOXLSWriter::~TOXLSWriter() {
    try {
        Flush();
    } catch (...) {
        // A failing run reports its own error.
    }
}

void TOXLSWriter::Flush() {
    if (FFlushed) return;
    FFlushed = true;
    WriteCompoundFile(Stream(), u"Workbook", FData);
}

void TOXLSWriter::Put(const void* data, size_t size) {
    if (FPos == FData.size()) {
        FData.Append(data, size);
    } else {
        const size_t overwrite = std::min<size_t>(size, FData.size() - FPos);
        std::memcpy(FData.data() + FPos, data, overwrite);
        FData.Append(static_cast<const char*>(data) + overwrite, size - overwrite);
    }
    FPos += size;
}

void TOXLSWriter::WriteRecord(uint16_t id, uint16_t length) {
    RecordId = id;
    RecordLength = length;
    uint8_t header[4];
    PutLE16(header, id);
    PutLE16(header + 2, length);
    Put(header, 4);
    if (length > 0) Put(FBuffer.data(), length);
}

void TOXLSWriter::WriteWordRecord(uint16_t id, uint16_t value) {
    PutLE16(Buffer(), value);
    WriteRecord(id, 2);
}

void TOXLSWriter::OpenGap(uint64_t position, uint64_t size) {
    FData.InsertZeros(position, size);
    FPos = position;
}

void TOXLSWriter::AddToOffsetField(uint64_t position, int64_t delta) {
    auto* field = reinterpret_cast<uint8_t*>(FData.data() + position);
    PutLE32(field, static_cast<uint32_t>(GetLE32(field) + delta));
    SeekEnd();
}

void TOXLSWriter::WriteBOF(uint16_t kind) {
    uint8_t* b = Buffer();
    PutLE16(b, 0x0600);
    PutLE16(b + 2, kind);
    PutLE16(b + 4, 0x0DBB);
    PutLE16(b + 6, 0x07CC);
    PutLE32(b + 8, 0);
    PutLE32(b + 12, 0x0206);
    WriteRecord(idBOF, 16);
}

void TOXLSWriter::WriteFixedXF(int i) {
    const uint8_t* body = i == 15 ? kXlsDefaultXF : i == 0 ? kFixedXF[0] : i <= 2 ? kFixedXF[1] : i <= 4 ? kFixedXF[2] : kFixedXF[3];
    std::memcpy(Buffer(), body, 20);
    WriteRecord(idXF, 20);
}

void TOXLSWriter::WriteFormatRecord(const TxlsTextFormat& format) {
    WriteRecord(idFORMAT, static_cast<uint16_t>(format.BuildFormatRecord(Buffer())));
}

void TOXLSWriter::WritePageText(uint16_t id, const std::string& text) {
    WriteRecord(id, text.empty() ? 0 : static_cast<uint16_t>(PutXlsString(Buffer(), text)));
}

void TOXLSWriter::WriteBoundSheet() {
    uint8_t* b = Buffer();
    PutLE32(b, 0);
    PutLE16(b + 4, 0x0000);
    const int title = PutXlsShortWideString(b + 6, FExporter.Options().SheetTitle());
    FRun.SheetOffsetPos = GetPosition() + 4;
    WriteRecord(idBOUNDSHEET, static_cast<uint16_t>(6 + title));
}

void TOXLSWriter::WriteGlobals() {
    WriteBOF(kWorkbookGlobals);
    uint8_t* b = Buffer();
    b[0] = 0x01, b[1] = 0x00, b[2] = 0x00, b[3] = 'X';
    std::memset(b + 4, 0x20, 108);
    WriteRecord(idWRITEACCESS, 112);
    WriteWordRecord(idCODEPAGE, 1252);
    WriteWordRecord(idDSF, 0);
    WriteWordRecord(idTABID, 1);
    WriteWordRecord(idFNGROUPCOUNT, 14);
    WriteWordRecord(idWINDOWPROTECT, 0);
    WriteWordRecord(idPROTECT, 0);
    WriteWordRecord(idPASSWORD, 0);
    WriteWordRecord(idPROT4REV, 0);
    WriteWordRecord(idPROT4REVPASS, 0);
    const uint16_t window1[9] = {120, 120, 23820, 15720, 0x0038, 0, 0, 1, 600};
    for (int i = 0; i < 9; ++i) PutLE16(b + 2 * i, window1[i]);
    WriteRecord(idWINDOW1, 18);
    WriteWordRecord(idBACKUP, 0);
    WriteWordRecord(idHIDEOBJ, 0);
    WriteWordRecord(idDATEMODE, 0);
    WriteWordRecord(idPRECISION, 1);
    WriteWordRecord(idREFRESHALL, 0);
    WriteWordRecord(idBOOKBOOL, 0);
    WriteRecord(idFONT, static_cast<uint16_t>(TxlsFont{}.BuildFontRecord(Buffer())));
    for (int i = 1; i <= 3; ++i)
        WriteRecord(idFONT, static_cast<uint16_t>(FExporter.Options().DataFormat.Font.BuildFontRecord(Buffer())));
    for (int i = 0; i < 16; ++i) WriteFixedXF(i);
    FRun.StyleInsertPos = GetPosition();
    WriteBoundSheet();
    PutLE16(b, 1);
    PutLE16(b + 2, 1);
    WriteRecord(idCOUNTRY, 4);
    FRun.SSTInsertPos = GetPosition();
    WriteRecord(idEOF, 0);
}

void TOXLSWriter::WriteSheetHeader() {
    auto* offsetField = reinterpret_cast<uint8_t*>(FData.data() + FRun.SheetOffsetPos);
    PutLE32(offsetField, static_cast<uint32_t>(GetPosition()));
    SeekEnd();
    WriteBOF(kWorksheet);
    WriteWordRecord(idCALCMODE, 1);
    WriteWordRecord(idCALCCOUNT, 100);
    WriteWordRecord(idREFMODE, 1);
    WriteWordRecord(idITERATION, 0);
    PutLEDouble(Buffer(), 0.001);
    WriteRecord(idDELTA, 8);
    WriteWordRecord(idSAVERECALC, 1);
    WriteWordRecord(idPRINTHEADERS, 0);
    WriteWordRecord(idPRINTGRIDLINES, 0);
    WriteWordRecord(idGRIDSET, 1);
    std::memset(Buffer(), 0, 8);
    WriteRecord(idGUTS, 8);
    PutLE16(Buffer(), 0);
    PutLE16(Buffer() + 2, 255);
    WriteRecord(idDEFAULTROWHEIGHT, 4);
    WriteWordRecord(idWSBOOL, 0x04C1);
    WritePageText(idHEADER, FExporter.Options().PageHeader);
    WritePageText(idFOOTER, FExporter.Options().PageFooter);
    WriteWordRecord(idHCENTER, 0);
    WriteWordRecord(idVCENTER, 0);
    WriteWordRecord(idDEFCOLWIDTH, 8);
    // Widths sit on the sheet columns that hold the data.
    for (int i = 0; i < FExporter.Columns().Count(); ++i)
        WriteColInfo(FExporter.StartDataCol() + i, FExporter.Columns()[i].Width);
    FRun.DimensionsPos = GetPosition();
    std::memset(Buffer(), 0, 14);
    WriteRecord(idDIMENSIONS, 14);
}

void TOXLSWriter::WriteColInfo(int column, int width) {
    // A column is at most 255 characters wide; the width field is characters x 256.
    width = std::clamp(width, 0, 255);
    uint8_t* b = Buffer();
    PutLE16(b, static_cast<uint32_t>(column));
    PutLE16(b + 2, static_cast<uint32_t>(column));
    PutLE16(b + 4, static_cast<uint32_t>(width * 256));
    PutLE16(b + 6, 15);
    PutLE16(b + 8, 0);
    b[10] = 0;
    WriteRecord(idCOLINFO, 11);
}

void TOXLSWriter::WriteLabel(int row, int col, uint16_t xf, uint32_t sstIndex, std::string_view text) {
    if (text.empty()) return;
    if (FBuffer.empty()) throw EOstrelError("File not opened");
    CheckLabelLength(row, col, text);
    uint8_t* b = Buffer();
    PutCellHeader(b, row, col, xf);
    PutLE32(b + 6, sstIndex);
    WriteRecord(idLABELSST, 10);
}

void TOXLSWriter::CheckLabelLength(int row, int col, std::string_view text) {
    if (text.size() <= kMaxLabelBytes) return;
    const std::string message = FormatMessage("Cell R%d,C%d: String length more than 32767 bytes", std::to_string(row));
    throw EOstrelError(FormatMessage(message, std::to_string(col)));
}

void TOXLSWriter::WriteNumber(int row, int col, uint16_t xf, double value) {
    uint8_t* b = Buffer();
    PutCellHeader(b, row, col, xf);
    PutLEDouble(b + 6, value);
    WriteRecord(idNUMBER, 14);
}

void TOXLSWriter::WriteBoolean(int row, int col, uint16_t xf, bool value) {
    uint8_t* b = Buffer();
    PutCellHeader(b, row, col, xf);
    b[6] = value ? 1 : 0;
    b[7] = 0;
    WriteRecord(idBOOLERR, 8);
}

void TOXLSWriter::WriteAggregate(int row, int col, uint16_t xf, TxlsAggregate aggregate, int firstRow,
                                 int lastRow) {
    uint8_t* b = Buffer();
    PutCellHeader(b, row, col, xf);
    std::memset(b + 6, 0, 8);
    PutLE16(b + 14, 0x0002);
    PutLE32(b + 16, 0);
    PutLE16(b + 20, 13);
    b[22] = 0x25;
    PutLE16(b + 23, static_cast<uint32_t>(firstRow));
    PutLE16(b + 25, static_cast<uint32_t>(lastRow));
    PutLE16(b + 27, 0xC000 | (col & 0xFF));
    PutLE16(b + 29, 0xC000 | (col & 0xFF));
    b[31] = 0x42;
    b[32] = 1;
    static constexpr uint16_t kFunction[] = {0, 4, 5, 6, 7};
    PutLE16(b + 33, kFunction[aggregate <= aggMax ? aggregate : 0]);
    WriteRecord(idFORMULA, 35);
}

void TOXLSWriter::WriteSheetTail() {
    uint8_t* b = Buffer();
    std::memset(b, 0, 18);
    PutLE16(b, 0x06B6);
    WriteRecord(idWINDOW2, 18);
    std::memset(b, 0, 16);
    b[0] = 3;
    PutLE16(b + 7, 1);
    WriteRecord(idSELECTION, 16);
    WriteRecord(idEOF, 0);
}

int64_t TOXLSWriter::InsertStyleRecords() {
    const TxlsFormatRegistry& registry = FExporter.Registry();
    // Bodies are built once to size the gap, then again into it.
    int64_t size = 0;
    for (const auto& f : registry.NumberFormats) size += 4 + f->BuildFormatRecord(Buffer());
    for (const auto& f : registry.Fonts) size += 4 + f->BuildFontRecord(Buffer());
    size += 24 * static_cast<int64_t>(registry.XFormats.size());
    OpenGap(FRun.StyleInsertPos, size);
    for (const auto& f : registry.NumberFormats) WriteFormatRecord(*f);
    for (const auto& f : registry.Fonts) WriteRecord(idFONT, static_cast<uint16_t>(f->BuildFontRecord(Buffer())));
    for (const auto& x : registry.XFormats) {
        x->BuildXFRecord(Buffer());
        WriteRecord(idXF, 20);
    }
    AddToOffsetField(FRun.SheetOffsetPos + size, size);
    return size;
}

void TOXLSWriter::InsertSST() {
    TxlsRunState& run = FRun;
    run.SSTBlockSizes.push_back(run.SSTBlockFill);
    run.SSTSize = run.SSTTotalSize + 4 * static_cast<int64_t>(run.SSTBlockSizes.size());
    OpenGap(run.SSTInsertPos, run.SSTSize);
    size_t nextBlock = 0;
    auto recordHeader = [&](uint16_t id) {
        uint8_t header[4];
        PutLE16(header, id);
        PutLE16(header + 2, static_cast<uint32_t>(run.SSTBlockSizes.at(nextBlock++)));
        Put(header, 4);
    };
    recordHeader(idSST);
    uint8_t counts[8];
    PutLE32(counts, run.SSTStringCount);
    PutLE32(counts + 4, static_cast<uint32_t>(run.SSTStrings.size()));
    Put(counts, 8);
    int64_t fill = 8;
    std::u16string text;
    std::vector<uint8_t> bytes;
    for (size_t i = 0; i < run.SSTStrings.size(); ++i) {
        text = ToUtf16(run.SSTStrings[i]);
        const uint32_t chars = static_cast<uint32_t>(text.size());
        bytes.resize(3 + 2 * size_t{chars});
        PutLE16(bytes.data(), chars);
        bytes[2] = 0x01;
        PutUtf16LE(bytes.data() + 3, text);
        const int64_t length = static_cast<int64_t>(bytes.size());
        if (fill + length <= kBlock) {
            Put(bytes.data(), bytes.size());
            fill += length;
            continue;
        }
        recordHeader(idCONTINUE);
        if (length <= kBlock) {
            Put(bytes.data(), bytes.size());
            fill = length;
            continue;
        }
        // A string longer than a record: each continued part begins with its option byte.
        const std::vector<uint32_t> parts = LongStringParts(text);
        Put(bytes.data(), 3 + 2 * size_t{parts[0]});
        size_t done = parts[0];
        const uint8_t option = 0x01;
        for (size_t p = 1; p < parts.size(); ++p) {
            recordHeader(idCONTINUE);
            Put(&option, 1);
            Put(bytes.data() + 3 + 2 * done, 2 * size_t{parts[p]});
            done += parts[p];
            fill = 1 + 2 * static_cast<int64_t>(parts[p]);
        }
    }
    AddToOffsetField(run.SheetOffsetPos, run.SSTSize);
}

void TOXLSWriter::PatchDimensions() {
    uint8_t* body = reinterpret_cast<uint8_t*>(FData.data() + FRun.DimensionsPos + 4);
    PutLE32(body, 0);
    PutLE32(body + 4, static_cast<uint32_t>(FRun.CurrentRow));
    PutLE16(body + 8, 0);
    PutLE16(body + 10, static_cast<uint32_t>(FRun.ColumnCount));
    PutLE16(body + 12, 0);
    SeekEnd();
}

void TOXLSWriter::CompleteWorkbook() {
    WriteSheetTail();
    FRun.StyleSize = InsertStyleRecords();
    FRun.SSTInsertPos += FRun.StyleSize;
    FRun.SheetOffsetPos += FRun.StyleSize;
    InsertSST();
    FRun.DimensionsPos += FRun.StyleSize + FRun.SSTSize;
    PatchDimensions();
    WriteRecord(idEOF, 0);
}

}  // namespace ostrel
