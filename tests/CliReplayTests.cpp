// ostrel-export --options: a set-up made in the dialog's settings model, as the window would make
// it, saved to an options file and exported by "Start Export"; the command line replays the file
// on the same query and must write the same bytes. Then what the command line adds: overrides,
// and the ways a replay fails.
#include <chrono>
#include <functional>
#include <thread>

#include "TestSupport.h"
#include "data/IB_Query.h"
#include "dialog/DialogExportCopy.h"
#include "dialog/DialogOptionsFile.h"
#include "readers/ReaderSupport.h"

namespace ostrel::test {
namespace {

const char* const kSql = "select * from country order by id";

// The locale the test process formats with (see test_main.cpp), so that both sides agree.
TCommandResult Export(const std::string& args, const std::string& env = "") {
    return RunCommand("LC_ALL=C.UTF-8 " + env + " " + std::string(OSTREL_EXPORT_BIN) + " " + args + " </dev/null");
}

// The embedded engine locks a database file to one process: the window and the command line
// each get their own copy.
std::string SampleCopy(const TTempDir& dir, const std::string& name) {
    const std::string copy = dir.File(name);
    if (!std::filesystem::exists(copy)) std::filesystem::copy_file(OSTREL_SAMPLE_DB, copy);
    return copy;
}

std::string SourceArgs(const TTempDir& dir) {
    return "--database " + ShellQuote(SampleCopy(dir, "cli.gdb")) + " --password tallowfin --sql " +
           ShellQuote(kSql);
}

// The window without its widgets: the component on the sample query with its column list
// filled (as Execute does), and the settings filled from it as at the window's creation.
class TDialogOnSample {
public:
    explicit TDialogOnSample(const std::string& database) {
        Connection.SetDatabaseName(database);
        Connection.SetUsername("SYSDBA");
        Connection.SetPassword("tallowfin");
        Connection.SetCharSet("UTF8");
        Connection.Connect();
        Query.SetConnection(&Connection);
        Query.SetSQL(kSql);
        Query.Open();
        Component.SetDataSet(&Query);
        Component.DialogColumns().Fill();
        Settings.FillFromComponent(Component, Exporters, nullptr);
    }

    // "Save Export Options..." into `cfg`, then "Start Export".
    void SaveAndExport(const std::string& cfg) {
        SaveOptions(Settings, Exporters, Component, cfg);
        CopySettingsToExporter(Settings, Exporters, Component, Settings.Int(dsExportType)).DoExecute();
    }

    void ExportFields(const std::vector<std::string>& names) {
        for (const std::string& name : names) {
            const auto& available = Settings.Fields().Rows(flAvailable);
            for (size_t i = 0; i < available.size(); ++i) {
                if (available[i].Text != name) continue;
                Settings.Fields().Select(flAvailable, static_cast<int>(i));
                Settings.Fields().AddSelected();
                break;
            }
        }
    }

    int GridRow(const std::string& name) {
        for (int row = 0; row < Settings.CaptionsGrid().RowCount(); ++row)
            if (Settings.CaptionsGrid().Cell(0, row) == name) return row;
        return -1;
    }

    // The Excel page's format list with one field entry chosen.
    TOstrelXLSFormatList& XlsEntry(const std::string& name) {
        TOstrelXLSFormatList& list = Settings.XLSFormats();
        for (int i = 0; i < list.Count(); ++i)
            if (!list.Entry(i).Fixed && list.Entry(i).Text == name) list.SelectOnly(i);
        return list;
    }

    TIB_Connection Connection;
    TIB_Query Query;
    TIB_OstrelDialog Component;
    TOstrelDialogExporters Exporters;
    TOstrelDialogSettings Settings;
};

// What a user does on the common pages the window shows for the chosen type.
void CommonChoices(TDialogOnSample& d) {
    TOstrelDialogSettings& s = d.Settings;
    d.ExportFields({"NAME", "CODE", "POPULATION", "GDP_PER_CAPITA", "UN_MEMBER_SINCE", "UPDATED_AT", "LANDLOCKED",
                    "AREA"});
    s.SetInt(dsSkipRecCount, 2);
    s.SetInt(dsExportRecCount, 40);
    if (s.PageVisible(dpHeaderFooter)) {
        s.HeaderLines().Add("Countries of the world");
        s.FooterLines().Add("End of list");
    }
    if (s.PageVisible(dpFormats)) {
        s.SetStr(dsNullString, "n/a");
        s.SetStr(dsDateFormat, "yyyy-mm-dd");
        s.SetStr(dsBooleanTrue, "landlocked");
        s.SetStr(dsBooleanFalse, "coast");
        s.SetStr(dsFloatFormat, "0.0");
        s.UserFormats().SetRows({{"POPULATION", "#,##0"}});
    }
    if (s.PageVisible(dpCaptions)) {
        s.CaptionsGrid().SetCell(1, d.GridRow("NAME"), "Country");
        s.CaptionsGrid().SetCell(1, d.GridRow("UN_MEMBER_SINCE"), "UN member since");
    }
}

struct TFormatCase {
    int Type;
    const char* Extension;
    std::function<void(TDialogOnSample&)> Choices;  // the format's own options
};

std::vector<TFormatCase> FormatCases() {
    return {
        {aeXLS, "xls",
         [](TDialogOnSample& d) {
             TOstrelDialogSettings& s = d.Settings;
             s.SetStr(dsXLSSheetTitle, "Länder");
             s.SetStr(dsXLSPageHeader, "&P of &N");
             s.CaptionsGrid().SetCell(2, d.GridRow("NAME"), "30");
             d.XlsEntry("NAME").SetFontStyle(xfsBold, true);
             d.XlsEntry("NAME").SetBackground(clrLightYellow);
             d.XlsEntry("POPULATION").SetAggregate(aggSum);
         }},
        {aeWord, "doc",
         [](TDialogOnSample& d) {
             d.Settings.SetInt(dsRTFPageOrientation, poLandscape);
             d.Exporters.RTFExp.Options().DefaultFont.Name = "Times New Roman";
             d.Exporters.RTFExp.Options().DefaultFont.Size = 11;
             d.Settings.CaptionsGrid().SetCell(2, d.GridRow("NAME"), "Center");
             d.Settings.CaptionsGrid().SetCell(3, d.GridRow("CODE"), "6");
         }},
        {aeRTF, "rtf",
         [](TDialogOnSample& d) {
             d.Exporters.RTFExp.Options().HeaderFont.Style = fsBold | fsItalic;
             d.Exporters.RTFExp.Options().HeaderFont.Color = 0x0000FF;
             d.Settings.CaptionsGrid().SetCell(2, d.GridRow("POPULATION"), "Left");
         }},
        {aeHTML, "html",
         [](TDialogOnSample& d) {
             TOstrelDialogSettings& s = d.Settings;
             s.ChooseHTMLTemplate(htOlive, d.Exporters.HTMLExp);
             s.PickHTMLColour(dsHTMLLinkColor, 0x123456);
             s.SetStr(dsHTMLTitle, "Countries");
             s.SetInt(dsHTMLCellPadding, 7);
             s.SetStr(dsHTMLTableAdvanced, "summary=\"countries\"");
             s.CaptionsGrid().SetCell(2, d.GridRow("CODE"), "Right");
         }},
        {aeXML, "xml",
         [](TDialogOnSample& d) {
             d.Settings.SetBool(dsXMLStandalone, false);
             d.Settings.SetStr(dsXMLEncoding, "UTF-8");
         }},
        {aeDBF, "dbf", [](TDialogOnSample&) {}},
        {aeTXT, "txt",
         [](TDialogOnSample& d) {
             d.Settings.SetBool(dsTXTAutoCalcColWidth, false);
             d.Settings.SetInt(dsTXTSpacing, 3);
             d.Settings.CaptionsGrid().SetCell(3, d.GridRow("NAME"), "24");
             d.Settings.CaptionsGrid().SetCell(2, d.GridRow("AREA"), "Center");
         }},
        {aeCSV, "csv",
         [](TDialogOnSample& d) {
             d.Settings.SetBool(dsCSVQuoteStrings, false);
             d.Settings.SetCommaText("|");
         }},
        {aeDIFF, "dif", [](TDialogOnSample& d) { d.Settings.SetBool(dsAllowCaptions, false); }},
        {aeSylk, "slk", [](TDialogOnSample&) {}},
        {aeLaTeX, "tex", [](TDialogOnSample& d) { d.Settings.SetStr(dsCurrencyFormat, "0.00 USD"); }},
        {aeSQL, "sql",
         [](TDialogOnSample& d) {
             TOstrelDialogSettings& s = d.Settings;
             s.SetBool(dsSQLCreateTable, true);
             s.SetInt(dsSQLCommitRecCount, 7);
             s.SetBool(dsSQLCommitAfterScript, true);
             s.SetStr(dsSQLCommitStatement, "COMMIT;");
         }},
    };
}

// A dBase header carries the date of the run in bytes 1 to 3 (year, month, day): a run on each
// side of midnight differs there and nowhere else.
std::string WithoutRunDate(std::string dbf) {
    if (dbf.size() > 4) dbf.replace(1, 3, 3, '\0');
    return dbf;
}

void ExpectSameBytes(const std::string& expectedFile, const std::string& file, bool dbf) {
    std::string expected = ReadAll(expectedFile), actual = ReadAll(file);
    ASSERT_FALSE(expected.empty()) << expectedFile;
    if (dbf) {
        expected = WithoutRunDate(expected);
        actual = WithoutRunDate(actual);
    }
    EXPECT_EQ(expected.size(), actual.size()) << file;
    EXPECT_TRUE(expected == actual) << file << " differs from " << expectedFile << " first at byte "
                                    << std::mismatch(expected.begin(), expected.end(), actual.begin(), actual.end())
                                               .first -
                                           expected.begin();
}

TEST(CliReplay, EveryFormatIsWrittenAsTheDialogWritesIt) {
    TTempDir dir;
    for (const char* folder : {"saved", "loaded", "cli", "bin"}) std::filesystem::create_directory(dir.File(folder));
    // The saved set-up asks to open the file after the export (the component's default): the
    // windows answer with a fake shell, the command line must open nothing.
    for (const char* program : {"xdg-open", "lp"}) {
        const std::string script = dir.File(std::string("bin/") + program);
        std::ofstream(script) << "#!/bin/sh\ntouch " << ShellQuote(dir.File("opened")) << "\n";
        std::filesystem::permissions(script, std::filesystem::perms::owner_all);
    }
    TShellScope shell;
    for (const TFormatCase& c : FormatCases()) {
        SCOPED_TRACE(c.Extension);
        // The files have the same name in different folders, as formats may write their own
        // name (SQL names its table after it).
        const std::string name = std::string("c.") + c.Extension;
        const std::string cfg = dir.File(name + ".cfg");
        {
            // The window where the user chose, saved the options and exported.
            TDialogOnSample d(SampleCopy(dir, "dialog.gdb"));
            d.Settings.SetInt(dsExportType, c.Type);
            ASSERT_EQ(d.Settings.Int(dsExportType), c.Type);
            CommonChoices(d);
            c.Choices(d);
            d.Settings.SetStr(dsFileName, dir.File("saved/" + name));
            d.SaveAndExport(cfg);
        }
        {
            // A new window that loads the file and exports.
            TDialogOnSample d(SampleCopy(dir, "dialog.gdb"));
            LoadOptions(d.Settings, d.Exporters, d.Component, cfg);
            ASSERT_EQ(d.Settings.Int(dsExportType), c.Type);
            d.Settings.SetStr(dsFileName, dir.File("loaded/" + name));
            CopySettingsToExporter(d.Settings, d.Exporters, d.Component, c.Type).DoExecute();
        }
        const TCommandResult r = Export("--options " + ShellQuote(cfg) + " " + SourceArgs(dir) + " " +
                                            ShellQuote(dir.File("cli/" + name)),
                                        "PATH=" + ShellQuote(dir.File("bin")) + ":\"$PATH\"");
        ASSERT_EQ(r.ExitCode, 0) << r.Output;
        EXPECT_NE(r.Output.find("40 rows written to " + dir.File("cli/" + name)), std::string::npos) << r.Output;
        // The same bytes as the window that saved the file and as a window that loads it.
        ExpectSameBytes(dir.File("loaded/" + name), dir.File("cli/" + name), c.Type == aeDBF);
        ExpectSameBytes(dir.File("saved/" + name), dir.File("cli/" + name), c.Type == aeDBF);
    }
    EXPECT_EQ(shell.Service->Calls.size(), 2 * FormatCases().size());  // the windows opened each file
    // A viewer would be started in the background: give it time to show up.
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    EXPECT_FALSE(std::filesystem::exists(dir.File("opened")));
}

// A set-up saved for a workbook, with the file the window chose.
std::string SavedWorkbookSetup(const TTempDir& dir) {
    const std::string cfg = dir.File("book.cfg");
    TShellScope shell;
    TDialogOnSample d(SampleCopy(dir, "dialog.gdb"));
    d.Settings.SetStr(dsFileName, dir.File("report.xls"));
    d.ExportFields({"CODE", "NAME", "CAPITAL"});
    d.Settings.SetInt(dsExportRecCount, 5);
    d.Settings.CaptionsGrid().SetCell(1, d.GridRow("NAME"), "Country");
    SaveOptions(d.Settings, d.Exporters, d.Component, cfg);
    return cfg;
}

TEST(CliReplay, TheFileNamesTypeAndOutputAndTheCommandLineWins) {
    TTempDir dir;
    const std::string cfg = SavedWorkbookSetup(dir);

    // Nothing but the file: the workbook the window would have written, where it would have.
    TCommandResult r = Export("-q --options " + ShellQuote(cfg) + " " + SourceArgs(dir));
    ASSERT_EQ(r.ExitCode, 0) << r.Output;
    EXPECT_EQ(ReadAll(dir.File("report.xls")).substr(0, 8), "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1");

    // Another type: chosen as a click would choose it, so the file name takes its extension;
    // the CSV page keeps the window's own values (';', quoted).
    r = Export("-q --format csv --options " + ShellQuote(cfg) + " " + SourceArgs(dir));
    ASSERT_EQ(r.ExitCode, 0) << r.Output;
    EXPECT_EQ(ReadAll(dir.File("report.csv")),
              "\"CODE\";\"Country\";\"CAPITAL\";\r\n\"AF\";\"Afghanistan\";\"Kabul\";\r\n"
              "\"AL\";\"Albania\";\"Tirana\";\r\n\"DZ\";\"Algeria\";\"Algiers\";\r\n"
              "\"AD\";\"Andorra\";\"Andorra la Vella\";\r\n\"AO\";\"Angola\";\"Luanda\";\r\n");

    // Options beside the file win over it, and the output argument is taken as it is.
    r = Export("-q --format csv --limit 2 --skip 1 --fields name,code --caption CODE=Iso --separator , --no-quote "
               "--null - --options " +
               ShellQuote(cfg) + " " + SourceArgs(dir) + " " + ShellQuote(dir.File("mine.txt")));
    ASSERT_EQ(r.ExitCode, 0) << r.Output;
    EXPECT_EQ(ReadAll(dir.File("mine.txt")), "Country,Iso,\r\nAlbania,AL,\r\nAlgeria,DZ,\r\n");

    // A script's table is named after the file written, when the file names none.
    r = Export("-q --format sql --options " + ShellQuote(cfg) + " " + SourceArgs(dir) + " " +
               ShellQuote(dir.File("people.sql")));
    ASSERT_EQ(r.ExitCode, 0) << r.Output;
    EXPECT_NE(ReadAll(dir.File("people.sql")).find("INSERT INTO PEOPLE\r\n"), std::string::npos)
        << ReadAll(dir.File("people.sql"));

    // A column the source does not have is a usage fault, as without --options.
    r = Export("--fields nosuch --options " + ShellQuote(cfg) + " " + SourceArgs(dir) + " " +
               ShellQuote(dir.File("x.csv")));
    EXPECT_EQ(r.ExitCode, 2) << r.Output;
    EXPECT_NE(r.Output.find("--fields: no column named 'nosuch'"), std::string::npos) << r.Output;
    EXPECT_FALSE(std::filesystem::exists(dir.File("x.csv")));
}

TEST(CliReplay, AMissingOptionsFileIsAUsageFault) {
    TTempDir dir;
    TCommandResult r = Export("--options " + ShellQuote(dir.File("none.cfg")) + " " + SourceArgs(dir) + " " +
                              ShellQuote(dir.File("out.csv")));
    EXPECT_EQ(r.ExitCode, 2) << r.Output;
    EXPECT_NE(r.Output.find("--options: cannot read " + dir.File("none.cfg") + ": No such file or directory"),
              std::string::npos)
        << r.Output;
    EXPECT_FALSE(std::filesystem::exists(dir.File("out.csv")));

    // A file that names no output file needs one on the command line.
    std::ofstream(dir.File("plain.cfg")) << "[GENERAL]\r\nExportType=7\r\n";
    r = Export("--options " + ShellQuote(dir.File("plain.cfg")) + " " + SourceArgs(dir));
    EXPECT_EQ(r.ExitCode, 2) << r.Output;
    EXPECT_NE(r.Output.find("names no file: give an output file"), std::string::npos) << r.Output;
}

TEST(CliReplay, ABadColourInTheFileEndsTheRun) {
    TTempDir dir;
    std::ofstream(dir.File("bad.cfg")) << "[GENERAL]\r\nExportType=3\r\nFileName=" << dir.File("page.html")
                                       << "\r\n[HTML]\r\nFontColor=clNotAColour\r\n";
    TCommandResult r = Export("--options " + ShellQuote(dir.File("bad.cfg")) + " " + SourceArgs(dir));
    EXPECT_EQ(r.ExitCode, 1) << r.Output;
    EXPECT_NE(r.Output.find("'clNotAColour' is not a valid integer value"), std::string::npos) << r.Output;
    EXPECT_FALSE(std::filesystem::exists(dir.File("page.html")));
}

}  // namespace
}  // namespace ostrel::test
