#include "exporters/sheet/XlsxPacking.h"

#include <dlfcn.h>

namespace ostrel {

namespace {

// The level the library's zip entries get on this thread; -1 leaves the caller's own.
thread_local int tEntryLevel = -1;

}  // namespace

TFastXlsxPacking::TFastXlsxPacking() : FOuterLevel(tEntryLevel) { tEntryLevel = 1; }
TFastXlsxPacking::~TFastXlsxPacking() { tEntryLevel = FOuterLevel; }

}  // namespace ostrel

// libxlsxwriter opens every part of the package through this minizip function. The program
// that links this file defines it first, so the library's calls arrive here; the call goes
// on to minizip's own with the level changed only while a guard is alive on the thread. The
// declaration is minizip's (zip.h 1.1), spelt with plain types since its header is not needed.
extern "C" int zipOpenNewFileInZip4_64(void* file, const char* filename, const void* zipfi,
                                       const void* extrafield_local, unsigned size_extrafield_local,
                                       const void* extrafield_global, unsigned size_extrafield_global,
                                       const char* comment, int method, int level, int raw, int windowBits,
                                       int memLevel, int strategy, const char* password,
                                       unsigned long crcForCrypting, unsigned long versionMadeBy,
                                       unsigned long flagBase, int zip64) {
    using TOpen = decltype(&zipOpenNewFileInZip4_64);
    static const auto next = reinterpret_cast<TOpen>(dlsym(RTLD_NEXT, "zipOpenNewFileInZip4_64"));
    if (!next) return -102;  // ZIP_INTERNALERROR: no zip library behind this one
    if (ostrel::tEntryLevel >= 0 && level != 0) level = ostrel::tEntryLevel;
    return next(file, filename, zipfi, extrafield_local, size_extrafield_local, extrafield_global,
                size_extrafield_global, comment, method, level, raw, windowBits, memLevel, strategy, password,
                crcForCrypting, versionMadeBy, flagBase, zip64);
}
