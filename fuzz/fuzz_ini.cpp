// The INI reader over any text: every listed section and key reads without failing.
#include <string>

#include "platform/IniFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const ostrel::TIniFile ini = ostrel::TIniFile::FromText("/nonexistent/fuzz.ini", text);
    for (const auto& section : ini.ReadSections())
        for (const auto& key : ini.ReadSection(section)) {
            if (ini.ReadString(section, key, "").size() > ostrel::TIniFile::kMaxValueLength) __builtin_trap();
            ini.ReadInteger(section, key, 0);
        }
    return 0;
}
