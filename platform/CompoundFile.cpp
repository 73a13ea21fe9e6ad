#include "platform/CompoundFile.h"

#include <cstring>
#include <vector>

#include "platform/ByteOrder.h"
#include "platform/Errors.h"

namespace ostrel {

namespace {

constexpr uint32_t kSectorSize = 512;
constexpr uint32_t kMiniSectorSize = 64;
constexpr uint32_t kMiniStreamCutoff = 4096;
constexpr uint32_t kFree = 0xFFFFFFFF, kEndOfChain = 0xFFFFFFFE, kFatSector = 0xFFFFFFFD, kDifatSector = 0xFFFFFFFC;
constexpr uint32_t kNoStream = 0xFFFFFFFF;
constexpr uint32_t kEntriesPerSector = kSectorSize / 4;  // 128
constexpr uint32_t kHeaderDifat = 109;

void Put16(std::vector<char>& b, size_t at, uint32_t v) { PutLE16(reinterpret_cast<uint8_t*>(&b[at]), v); }
void Put32(std::vector<char>& b, size_t at, uint32_t v) { PutLE32(reinterpret_cast<uint8_t*>(&b[at]), v); }

uint32_t SectorsFor(uint64_t bytes, uint32_t size) { return static_cast<uint32_t>((bytes + size - 1) / size); }

// A 128-byte directory entry.
std::vector<char> DirectoryEntry(std::u16string_view name, uint8_t type, uint32_t child, uint32_t start, uint32_t size) {
    std::vector<char> e(128, 0);
    if (type == 0) {
        Put32(e, 68, kNoStream);
        Put32(e, 72, kNoStream);
        Put32(e, 76, kNoStream);
        return e;
    }
    for (size_t i = 0; i < name.size(); ++i) Put16(e, i * 2, name[i]);
    Put16(e, 64, static_cast<uint32_t>((name.size() + 1) * 2));
    e[66] = static_cast<char>(type);
    e[67] = 1;  // black
    Put32(e, 68, kNoStream);
    Put32(e, 72, kNoStream);
    Put32(e, 76, child);
    Put32(e, 116, start);
    Put32(e, 120, size);
    return e;
}

}  // namespace

void WriteCompoundFile(TStream& out, std::u16string_view streamName, std::string_view data) {
    if (streamName.size() > 31) throw EOstrelError("A compound file stream name has at most 31 characters");
    if (data.size() > 0xFFFFFFFFu) throw EOstrelError("A stream of a version 3 compound file is under 4 GiB");
    const bool mini = data.size() < kMiniStreamCutoff;
    // Layout after the header: data (or the mini stream), mini FAT, directory, FAT, DIFAT.
    const uint32_t miniSectors = mini ? SectorsFor(data.size(), kMiniSectorSize) : 0;
    const uint32_t miniStreamBytes = miniSectors * kMiniSectorSize;
    const uint32_t dataSectors = mini ? SectorsFor(miniStreamBytes, kSectorSize) : SectorsFor(data.size(), kSectorSize);
    const uint32_t miniFatSectors = mini && miniSectors ? SectorsFor(miniSectors * 4ull, kSectorSize) : 0;
    const uint32_t dirSectors = 1;
    uint32_t fatSectors = 0, difatSectors = 0;
    for (;;) {
        const uint32_t total = dataSectors + miniFatSectors + dirSectors + fatSectors + difatSectors;
        const uint32_t needFat = SectorsFor(total, kEntriesPerSector);
        const uint32_t needDifat = needFat > kHeaderDifat ? SectorsFor(needFat - kHeaderDifat, kEntriesPerSector - 1) : 0;
        if (needFat == fatSectors && needDifat == difatSectors) break;
        fatSectors = needFat;
        difatSectors = needDifat;
    }
    const uint32_t firstMiniFat = dataSectors;
    const uint32_t firstDir = firstMiniFat + miniFatSectors;
    const uint32_t firstFat = firstDir + dirSectors;
    const uint32_t firstDifat = firstFat + fatSectors;
    const uint32_t totalSectors = firstDifat + difatSectors;

    std::vector<char> header(kSectorSize, 0);
    const unsigned char signature[] = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};
    std::memcpy(header.data(), signature, sizeof signature);
    Put16(header, 24, 0x003E);
    Put16(header, 26, 0x0003);
    Put16(header, 28, 0xFFFE);
    Put16(header, 30, 9);
    Put16(header, 32, 6);
    Put32(header, 44, fatSectors);
    Put32(header, 48, firstDir);
    Put32(header, 56, kMiniStreamCutoff);
    Put32(header, 60, miniFatSectors ? firstMiniFat : kEndOfChain);
    Put32(header, 64, miniFatSectors);
    Put32(header, 68, difatSectors ? firstDifat : kEndOfChain);
    Put32(header, 72, difatSectors);
    for (uint32_t i = 0; i < kHeaderDifat; ++i) Put32(header, 76 + i * 4, i < fatSectors ? firstFat + i : kFree);
    out.Write(header.data(), header.size());

    // Data sectors: the stream itself, or the mini stream that holds it.
    out.Write(data.data(), data.size());
    const uint64_t written = data.size();
    const uint64_t padded = static_cast<uint64_t>(dataSectors) * kSectorSize;
    if (padded > written) out.Write(std::string(padded - written, '\0'));

    if (miniFatSectors) {
        std::vector<char> miniFat(miniFatSectors * kSectorSize, '\xFF');
        for (uint32_t i = 0; i < miniSectors; ++i) Put32(miniFat, i * 4, i + 1 < miniSectors ? i + 1 : kEndOfChain);
        out.Write(miniFat.data(), miniFat.size());
    }

    std::vector<char> dir;
    auto add = [&](const std::vector<char>& e) { dir.insert(dir.end(), e.begin(), e.end()); };
    const uint32_t rootStart = mini && miniSectors ? 0 : kEndOfChain;
    add(DirectoryEntry(u"Root Entry", 5, 1, rootStart, mini ? miniStreamBytes : 0));
    add(DirectoryEntry(streamName, 2, kNoStream, data.empty() ? kEndOfChain : 0, static_cast<uint32_t>(data.size())));
    add(DirectoryEntry({}, 0, 0, 0, 0));
    add(DirectoryEntry({}, 0, 0, 0, 0));
    out.Write(dir.data(), dir.size());

    std::vector<char> fat(fatSectors * kSectorSize, '\xFF');
    auto chain = [&](uint32_t first, uint32_t count) {
        for (uint32_t i = 0; i < count; ++i) Put32(fat, (first + i) * 4, i + 1 < count ? first + i + 1 : kEndOfChain);
    };
    chain(0, dataSectors);
    chain(firstMiniFat, miniFatSectors);
    chain(firstDir, dirSectors);
    for (uint32_t i = 0; i < fatSectors; ++i) Put32(fat, (firstFat + i) * 4, kFatSector);
    for (uint32_t i = 0; i < difatSectors; ++i) Put32(fat, (firstDifat + i) * 4, kDifatSector);
    (void)totalSectors;
    out.Write(fat.data(), fat.size());

    // DIFAT sectors list the FAT sectors beyond the header's 109, 127 to a sector.
    for (uint32_t d = 0; d < difatSectors; ++d) {
        std::vector<char> difat(kSectorSize, '\xFF');
        for (uint32_t i = 0; i < kEntriesPerSector - 1; ++i) {
            const uint32_t fatIndex = kHeaderDifat + d * (kEntriesPerSector - 1) + i;
            if (fatIndex < fatSectors) Put32(difat, i * 4, firstFat + fatIndex);
        }
        Put32(difat, (kEntriesPerSector - 1) * 4, d + 1 < difatSectors ? firstDifat + d + 1 : kEndOfChain);
        out.Write(difat.data(), difat.size());
    }
}

}  // namespace ostrel
