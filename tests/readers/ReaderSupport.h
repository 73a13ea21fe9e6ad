// Running independent readers (LibreOffice, xmllint, jq, sqlite3, isql-fb, pdflatex) on exported
// files. A missing or unusable reader fails the test (see REQUIRE_READER).
#pragma once

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
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

// Asks a reader to read a tiny file of each kind the tests give it, so that a reader that is
// installed but lacks a module (LibreOffice without its word processor, say) counts as missing.
// Returns what is wrong, or nothing. Under ctest each reader is probed once per run: the answers
// are kept in the folder OSTREL_PROBE_CACHE, which a set-up test empties before the run.
inline std::string ProbeReader(const std::string& program) {
    const char* cacheDir = std::getenv("OSTREL_PROBE_CACHE");
    std::filesystem::path cache;
    if (cacheDir && *cacheDir) {
        std::filesystem::create_directories(cacheDir);
        cache = std::filesystem::path(cacheDir) / std::filesystem::path(program).filename();
        if (std::filesystem::exists(cache)) return ReadAll(cache.string());
    }
    std::string problem;
    if (RunCommand("command -v " + ShellQuote(program)).ExitCode != 0) {
        problem = "reader not installed: " + program;
    } else {
        TTempDir dir;
        auto write = [&](const std::string& name, const std::string& text) {
            std::ofstream(dir.File(name), std::ios::binary) << text;
            return ShellQuote(dir.File(name));
        };
        auto check = [&](const std::string& what, const std::string& command, const std::string& expect,
                         const std::string& outFile) {
            if (!problem.empty()) return;
            TCommandResult r = RunCommand(command);
            const std::string got = outFile.empty() ? r.Output : ReadAll(dir.File(outFile));
            if (r.ExitCode != 0 || got.find(expect) == std::string::npos)
                problem = "reader unusable: " + program + " cannot " + what + " (" + r.Output.substr(0, 400) + ")";
        };
        auto convert = [&](const std::string& to, const std::string& file) {
            return "soffice --headless -env:UserInstallation=file://" + dir.File("profile") + " --convert-to " + to +
                   " --outdir " + ShellQuote(dir.File("out")) + " " + file;
        };
        if (program == "soffice") {
            check("read an RTF document", convert("txt:Text", write("p.rtf", "{\\rtf1 probeword\\par}")),
                  "probeword", "out/p.txt");
            check("read a SYLK sheet", convert("csv", write("p.slk", "ID;P\r\nC;X1;Y1;K\"probecell\"\r\nE\r\n")),
                  "probecell", "out/p.csv");
        } else if (program == "ssconvert") {
            write("p.csv", "probecell\n");
            check("write and read a workbook", "cd " + ShellQuote(dir.File("")) +
                  " && ssconvert p.csv p.xls 2>&1 && ssconvert p.xls p2.csv 2>&1 && cat p2.csv", "probecell", "");
        } else if (program == "/usr/bin/python3") {
            check("import its readers", program + " -c 'import xlrd, olefile, dbfread, openpyxl; print(\"ok\")'", "ok", "");
        } else if (program == "pdflatex") {
            write("p.tex", "\\documentclass{article}\\usepackage[T2A,T1]{fontenc}\\begin{document}x\\end{document}\n");
            check("compile a document", "cd " + ShellQuote(dir.File("")) + " && pdflatex -interaction=nonstopmode "
                  "-halt-on-error p.tex >/dev/null && echo compiled", "compiled", "");
        } else if (program == "lualatex") {
            write("p.tex", "\\documentclass{article}\\usepackage{fontspec}\\begin{document}x\\end{document}\n");
            check("compile a document with fontspec", "cd " + ShellQuote(dir.File("")) + " && lualatex "
                  "-interaction=nonstopmode -halt-on-error p.tex >/dev/null && echo compiled", "compiled", "");
        } else if (program == "sqlite3") {
            check("run a statement", "sqlite3 :memory: 'select 40+2;'", "42", "");
        } else if (program == "isql-fb") {
            check("create a database", "echo \"create database '" + dir.File("p.fdb") +
                  "' user 'SYSDBA'; select 40+2 from rdb\\$database;\" | isql-fb -q", "42", "");
        } else if (program == "jq") {
            check("parse a document", "printf '%s' '{\"probe\": [1, \"x\\u00e9\"]}' | jq -c .probe", "[1,\"xé\"]", "");
        } else if (program == "xmllint") {
            check("parse a document", "echo '<a>probe</a>' | xmllint -", "probe", "");
        } else if (program == "chromium") {
            write("p.htm", "<p>probepage</p>");
            check("show a page", "chromium --headless --no-sandbox --disable-gpu --disable-quic --no-first-run "
                  "--disable-background-networking --disable-component-update --disable-sync --user-data-dir=" +
                  ShellQuote(dir.File("chrome")) + " --dump-dom " +
                  ShellQuote("file://" + dir.File("p.htm")) + " 2>/dev/null", "probepage", "");
        }
    }
    if (cache.empty()) return problem;
    // Written whole under another name first: a test reading it half written would see "usable".
    std::string part = cache.string() + ".XXXXXX";
    const int fd = mkstemp(part.data());
    if (fd >= 0) {
        close(fd);
        std::ofstream(part, std::ios::binary) << problem;
        std::filesystem::rename(part, cache);
    }
    return problem;
}

// Fails the test when the reader is missing or unusable. A developer may let such tests skip
// with OSTREL_ALLOW_MISSING_READERS; CI sets OSTREL_REQUIRE_READERS, which overrides that.
#define REQUIRE_READER(program)                                                                         \
    do {                                                                                                \
        const std::string readerProblem_ = ProbeReader(program);                                        \
        if (!readerProblem_.empty()) {                                                                  \
            if (std::getenv("OSTREL_ALLOW_MISSING_READERS") && !std::getenv("OSTREL_REQUIRE_READERS"))  \
                GTEST_SKIP() << readerProblem_;                                                         \
            FAIL() << readerProblem_;                                                                   \
        }                                                                                               \
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
