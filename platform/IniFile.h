// The INI-file store of the options and template files: a bracketed section line before its
// key=value lines; section and key names compare without regard to case; every write goes to
// the file at once, and a refused write fails with "Unable to write to %s".
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace ostrel {

class TIniFile {
public:
    static constexpr size_t kMaxValueLength = 2047;
    static constexpr size_t kMaxNamesBytes = 16384;

    explicit TIniFile(std::string fileName);
    // A store over given text, written to fileName on the first write.
    static TIniFile FromText(std::string fileName, std::string_view text);

    const std::string& FileName() const { return FFileName; }

    // The first matching entry, blanks around it and one pair of enclosing quotes removed,
    // at most 2047 characters; `def` when the section or key is missing.
    std::string ReadString(const std::string& section, const std::string& key,
                           const std::string& def) const;
    // "0x.." hexadecimal, decimal, or "$" hexadecimal; `def` for text that is no number.
    int ReadInteger(const std::string& section, const std::string& key, int def) const;
    bool ReadBool(const std::string& section, const std::string& key, bool def) const;

    void WriteString(const std::string& section, const std::string& key, const std::string& value);
    void WriteInteger(const std::string& section, const std::string& key, int value);
    void WriteBool(const std::string& section, const std::string& key, bool value);

    std::vector<std::string> ReadSections() const;
    std::vector<std::string> ReadSection(const std::string& section) const;  // key names
    bool SectionExists(const std::string& section) const;
    bool ValueExists(const std::string& section, const std::string& key) const;

    void EraseSection(const std::string& section);
    void DeleteKey(const std::string& section, const std::string& key);

private:
    TIniFile(std::string fileName, std::string_view text);
    void Load();
    void Parse(std::string_view text);
    void Save() const;
    // Index of the section's header line, or -1.
    long FindSection(const std::string& section) const;
    // Index of the key's first line in the section, or -1; `end` receives the index after the
    // section's last entry.
    long FindKey(long sectionLine, const std::string& key, size_t* end) const;

    std::string FFileName;
    std::vector<std::string> FLines;
};

}  // namespace ostrel
