// Running independent readers (LibreOffice, xmllint, sqlite3, isql-fb, pdflatex) on exported
// files. A missing reader fails the test unless OSTREL_ALLOW_MISSING_READERS is set.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "../TestSupport.h"

namespace ostrel::test {

struct TCommandResult {
    int ExitCode = -1;
    std::string Output;  // standard output and standard error
};

inline TCommandResult RunCommand(const std::string& command) {
    TCommandResult r;
    FILE* p = popen((command + " 2>&1").c_str(), "r");
    if (!p) return r;
    char buf[4096];
    size_t n;
    while ((n = fread(buf, 1, sizeof buf, p)) > 0) r.Output.append(buf, n);
    int status = pclose(p);
    r.ExitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return r;
}

inline std::string ShellQuote(const std::string& s) {
    std::string out = "'";
    for (char c : s) {
        if (c == '\'') out += "'\\''";
        else out += c;
    }
    return out + "'";
}

// Runs a Python script with the system interpreter (Debian's python3-* modules) and returns
// its output; a failing script fails the test.
inline std::string RunPython(const TTempDir& dir, const std::string& script, const std::string& args) {
    {
        std::ofstream py(dir.File("script.py"));
        py << script;
    }
    TCommandResult r = RunCommand("/usr/bin/python3 " + ShellQuote(dir.File("script.py")) + " " + args);
    EXPECT_EQ(r.ExitCode, 0) << r.Output;
    return r.Output;
}

// True when the reader is installed; otherwise fails (or skips, when allowed).
#define REQUIRE_READER(program)                                                            \
    do {                                                                                   \
        if (RunCommand(std::string("command -v ") + (program)).ExitCode != 0) {            \
            if (std::getenv("OSTREL_ALLOW_MISSING_READERS")) GTEST_SKIP() << (program);    \
            FAIL() << "reader not installed: " << (program);                              \
        }                                                                                  \
    } while (0)

// A grid of cells read from CSV text (double quotes, doubled quotes inside).
inline std::vector<std::vector<std::string>> ParseCsv(const std::string& text, char sep = ',') {
    std::vector<std::vector<std::string>> rows(1);
    std::string cell;
    bool quoted = false, any = false;
    for (size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (quoted) {
            if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
                cell += '"';
                ++i;
            } else if (c == '"') {
                quoted = false;
            } else {
                cell += c;
            }
        } else if (c == '"') {
            quoted = true;
            any = true;
        } else if (c == sep) {
            rows.back().push_back(cell);
            cell.clear();
        } else if (c == '\n' || c == '\r') {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            rows.back().push_back(cell);
            cell.clear();
            rows.emplace_back();
            any = false;  // a line break ending the text starts no row
        } else {
            cell += c;
            any = true;
        }
    }
    if (!cell.empty() || any) rows.back().push_back(cell);
    if (rows.back().empty()) rows.pop_back();
    return rows;
}

// Converts a file with LibreOffice into CSV (comma, every text quoted, UTF-8) and returns
// the cells. `inFilter` names the import filter with its options, or is empty.
inline std::vector<std::vector<std::string>> LibreOfficeCells(const TTempDir& dir, const std::string& file,
                                                             const std::string& inFilter) {
    const std::string outDir = dir.File("lo-out");
    std::string cmd = "soffice --headless -env:UserInstallation=file://" + dir.File("lo-profile") + " ";
    if (!inFilter.empty()) cmd += "--infilter=" + ShellQuote(inFilter) + " ";
    cmd += "--convert-to " + ShellQuote("csv:Text - txt - csv (StarCalc):44,34,76,1,,0,true") + " --outdir " +
           ShellQuote(outDir) + " " + ShellQuote(file);
    TCommandResult r = RunCommand(cmd);
    std::string base = file.substr(file.rfind('/') + 1);
    base = base.substr(0, base.rfind('.'));
    const std::string csv = outDir + "/" + base + ".csv";
    EXPECT_EQ(r.ExitCode, 0) << r.Output;
    return ParseCsv(ReadAll(csv));
}

}  // namespace ostrel::test
