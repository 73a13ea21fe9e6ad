// A compound file (version 3, 512-byte sectors) holding one stream in its root storage, as
// workbook readers expect it: the stream is built in memory and the container written at once.
#pragma once

#include <string_view>

#include "platform/Streams.h"

namespace ostrel {

// Writes a whole compound file with one stream. Streams under 4096 bytes go into the mini
// stream; large files get DIFAT sectors when their FAT outgrows the header's 109 entries.
void WriteCompoundFile(TStream& out, std::u16string_view streamName, std::string_view data);

}  // namespace ostrel
