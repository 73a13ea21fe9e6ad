#include "platform/IniFile.h"

#include <cctype>
#include <fstream>
#include <sstream>

#include "platform/Errors.h"
#include "platform/Parsers.h"

namespace ostrel {

namespace {

std::string Trim(const std::string& s) {
    size_t b = s.find_first_not_of(" \t");
    if (b == std::string::npos) return {};
    size_t e = s.find_last_not_of(" \t");
    return s.substr(b, e - b + 1);
}

bool SameText(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

// The section name of a "[name]" line, or false when the line is no section line.
bool SectionName(const std::string& line, std::string& name) {
    std::string t = Trim(line);
    if (t.size() < 2 || t.front() != '[') return false;
    size_t close = t.find(']');
    if (close == std::string::npos) return false;
    name = Trim(t.substr(1, close - 1));
    return true;
}

// The key of a "key=value" line; false for blank, comment and other lines.
bool KeyName(const std::string& line, std::string& key) {
    std::string t = Trim(line);
    if (t.empty() || t[0] == ';') return false;
    size_t eq = line.find('=');
    if (eq == std::string::npos) return false;
    key = Trim(line.substr(0, eq));
    return true;
}

}  // namespace

TIniFile::TIniFile(std::string fileName) : FFileName(std::move(fileName)) { Load(); }

void TIniFile::Load() {
    std::ifstream in(FFileName, std::ios::binary);
    std::stringstream ss;
    if (in) ss << in.rdbuf();
    Parse(ss.str());
}

TIniFile TIniFile::FromText(std::string fileName, std::string_view text) {
    TIniFile ini(std::move(fileName), text);
    return ini;
}

TIniFile::TIniFile(std::string fileName, std::string_view text) : FFileName(std::move(fileName)) {
    Parse(text);
}

void TIniFile::Parse(std::string_view text) {
    FLines.clear();
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            FLines.emplace_back(text.substr(start));
            break;
        }
        FLines.emplace_back(text.substr(start, end - start));
        start = end + (text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n' ? 2 : 1);
    }
}

void TIniFile::Save() const {
    std::ofstream out(FFileName, std::ios::binary | std::ios::trunc);
    if (out) {
        for (const auto& line : FLines) out << line << "\r\n";
        out.flush();
    }
    if (!out) throw EStreamError(FormatMessage("Unable to write to %s", FFileName));
}

long TIniFile::FindSection(const std::string& section) const {
    std::string name;
    for (size_t i = 0; i < FLines.size(); ++i)
        if (SectionName(FLines[i], name) && SameText(name, Trim(section))) return static_cast<long>(i);
    return -1;
}

long TIniFile::FindKey(long sectionLine, const std::string& key, size_t* end) const {
    long found = -1;
    size_t after = sectionLine + 1;
    std::string name;
    for (size_t i = sectionLine + 1; i < FLines.size(); ++i) {
        if (SectionName(FLines[i], name)) break;
        if (!KeyName(FLines[i], name)) continue;
        after = i + 1;
        if (found < 0 && SameText(name, Trim(key))) found = static_cast<long>(i);
    }
    if (end) *end = after;
    return found;
}

std::string TIniFile::ReadString(const std::string& section, const std::string& key,
                                 const std::string& def) const {
    long s = FindSection(section);
    if (s < 0) return def;
    long k = FindKey(s, key, nullptr);
    if (k < 0) return def;
    const std::string& line = FLines[k];
    std::string value = Trim(line.substr(line.find('=') + 1));
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front())
        value = value.substr(1, value.size() - 2);
    if (value.size() > kMaxValueLength) value.resize(kMaxValueLength);
    return value;
}

int TIniFile::ReadInteger(const std::string& section, const std::string& key, int def) const {
    std::string text = ReadString(section, key, "");
    int32_t v;
    return TryStrToInt(text, v) ? v : def;
}

bool TIniFile::ReadBool(const std::string& section, const std::string& key, bool def) const {
    return ReadInteger(section, key, def ? 1 : 0) != 0;
}

void TIniFile::WriteString(const std::string& section, const std::string& key,
                           const std::string& value) {
    std::string entry = Trim(key) + "=" + value;
    long s = FindSection(section);
    if (s < 0) {
        FLines.push_back("[" + Trim(section) + "]");
        FLines.push_back(entry);
    } else {
        size_t end;
        long k = FindKey(s, key, &end);
        // The entry keeps its own spelling of the key.
        if (k >= 0) FLines[k] = FLines[k].substr(0, FLines[k].find('=') + 1) + value;
        else FLines.insert(FLines.begin() + end, entry);
    }
    Save();
}

void TIniFile::WriteInteger(const std::string& section, const std::string& key, int value) {
    WriteString(section, key, std::to_string(value));
}

void TIniFile::WriteBool(const std::string& section, const std::string& key, bool value) {
    WriteString(section, key, value ? "1" : "0");
}

std::vector<std::string> TIniFile::ReadSections() const {
    std::vector<std::string> out;
    size_t bytes = 0;
    std::string name;
    for (const auto& line : FLines) {
        if (!SectionName(line, name)) continue;
        bytes += name.size() + 1;
        if (bytes >= kMaxNamesBytes) break;
        out.push_back(name);
    }
    return out;
}

std::vector<std::string> TIniFile::ReadSection(const std::string& section) const {
    std::vector<std::string> out;
    long s = FindSection(section);
    if (s < 0) return out;
    size_t bytes = 0;
    std::string name;
    for (size_t i = s + 1; i < FLines.size(); ++i) {
        if (SectionName(FLines[i], name)) break;
        if (!KeyName(FLines[i], name)) continue;
        bytes += name.size() + 1;
        if (bytes >= kMaxNamesBytes) break;
        out.push_back(name);
    }
    return out;
}

bool TIniFile::SectionExists(const std::string& section) const { return FindSection(section) >= 0; }

bool TIniFile::ValueExists(const std::string& section, const std::string& key) const {
    long s = FindSection(section);
    return s >= 0 && FindKey(s, key, nullptr) >= 0;
}

void TIniFile::EraseSection(const std::string& section) {
    long s = FindSection(section);
    if (s < 0) return;
    size_t end = s + 1;
    std::string name;
    while (end < FLines.size() && !SectionName(FLines[end], name)) ++end;
    FLines.erase(FLines.begin() + s, FLines.begin() + end);
    Save();
}

void TIniFile::DeleteKey(const std::string& section, const std::string& key) {
    long s = FindSection(section);
    if (s < 0) return;
    long k = FindKey(s, key, nullptr);
    if (k < 0) return;
    FLines.erase(FLines.begin() + k);
    Save();
}

}  // namespace ostrel
