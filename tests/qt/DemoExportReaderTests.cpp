// The demo end to end: from each of its four tabs, "&Export Data!" opens the dialog on the tab's
// source and "Start Export" writes every format through the progress window; independent
// readers (xlrd, dbfread, LibreOffice, sqlite3, Python's HTML, XML and CSV parsers, pdflatex or
// lualatex with pdftotext) read each file back and find the rows of the source, in order.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>

#include "../readers/ReaderSupport.h"
#include "demo/Form1.h"
#include "dialog/IB_OstrelDialog.h"
#include "dialog/qt/ErrorDisplay.h"
#include "dialog/qt/IB_OstrelDialogF.h"
#include "dialog/qt/IB_OstrelDialogProgress.h"
#include "dialog/qt/QtListView.h"
#include "dialog/qt/QtStringGrid.h"

namespace ostrel::test {
namespace {

struct TTab {
    int Index;
    const char* Name;
    // A text column whose values the readers look for: its captions and names, comma-separated
    // (a string grid's columns are named by number and captioned ColNo_ and the number).
    const char* KeyColumn;
};
constexpr TTab kTabs[] = {{0, "dataset", "NAME"}, {1, "dbgrid", "NAME"}, {2, "listview", "Name"},
                          {3, "stringgrid", "ColNo_1,1"}};

struct TType {
    TAllowedExport Code;
    const char* Extension;
};
constexpr TType kTypes[] = {{aeXLS, "xls"},   {aeWord, "doc"},  {aeRTF, "rtf"},   {aeHTML, "htm"},
                            {aeXML, "xml"},   {aeDBF, "dbf"},   {aeTXT, "txt"},   {aeCSV, "csv"},
                            {aeDIFF, "dif"},  {aeSylk, "slk"},  {aeLaTeX, "tex"}, {aeSQL, "sql"}};

// Reads each file with its reader and prints one line per failure; argv: the folder, the
// key column (its name, case aside), and the expected values in a file, one per line.
constexpr const char* kCheckScript = R"PY(
import csv, html.parser, io, os, sqlite3, subprocess, sys, xml.etree.ElementTree as ET
import dbfread, xlrd

folder, key = sys.argv[1], sys.argv[2]
keys = [k.lower() for k in key.split(',')]
values = open(sys.argv[3], encoding='utf-8').read().split('\n')[:-1]
failures = []

def norm(s):
    s = str(s).replace('\u2019', "'").replace('\u2018', "'").replace('\u201c', '"').replace('\u201d', '"')
    return ''.join(c for c in s if c not in ' \t\r\n\f-\u00ad')

def column_holds(name, column):
    # The values, one per row, in a run of the column (captions and header lines may precede).
    column = [str(c).strip() for c in column]
    for start in range(len(column) - len(values) + 1):
        if column[start:start + len(values)] == values:
            return
    start = column.index(values[0]) if values[0] in column else 0
    got = column[start:start + len(values)]
    wrong = [i for i in range(len(values)) if i >= len(got) or got[i] != values[i]]
    failures.append('%s: column %s differs from the rows first at row %d: %r, expected %r' % (
        name, key, wrong[0] + 1, got[wrong[0]] if wrong[0] < len(got) else None, values[wrong[0]]))

def text_holds(name, text):
    # Every value, in order, somewhere in the text (documents lay cells out their own way).
    text = norm(text)
    at = 0
    for v in values:
        found = text.find(norm(v), at)
        if found < 0:
            failures.append('%s: %r not found after position %d of %d' % (name, v, at, len(text)))
            return
        at = found + len(norm(v))

def table_column(name, rows):
    for r, row in enumerate(rows[:12]):
        for c, cell in enumerate(row):
            if str(cell).strip().lower() in keys:
                return [row[c] if c < len(row) else '' for row in rows[r + 1:]]
    failures.append('%s: no caption %s in %s' % (name, key, rows[:3]))
    return []

def path(ext):
    return os.path.join(folder, 'out.' + ext)

book = xlrd.open_workbook(path('xls'))
sheet = book.sheet_by_index(0)
column_holds('xls', table_column('xls', [sheet.row_values(r) for r in range(sheet.nrows)]))

dbf = dbfread.DBF(path('dbf'), encoding='utf-8')
field = [f for f in dbf.field_names if f.lower() in keys]
if not field:
    failures.append('dbf: no field %s in %s' % (key, dbf.field_names))
else:
    column_holds('dbf', [r[field[0]] for r in dbf])

with open(path('csv'), encoding='utf-8', newline='') as f:
    column_holds('csv', table_column('csv', list(csv.reader(f, delimiter=';'))))
for ext in ('dif', 'slk'):
    with open(os.path.join(folder, 'lo', 'out-' + ext + '.csv'), encoding='utf-8', newline='') as f:
        column_holds(ext, table_column(ext, list(csv.reader(f))))

db = sqlite3.connect(':memory:')
db.executescript(open(path('sql'), encoding='utf-8').read())
table = db.execute("select name from sqlite_master where type = 'table'").fetchone()[0]
cursor = db.execute('select * from "%s" order by rowid' % table)
names = [d[0].lower() for d in cursor.description]
rows = cursor.fetchall()
found = [n for n in names if n in keys]
if not found:
    failures.append('sql: no column %s in %s' % (key, names))
else:
    column_holds('sql', [r[names.index(found[0])] for r in rows])

class Cells(html.parser.HTMLParser):
    def __init__(self):
        super().__init__()
        self.cells, self.inside = [], False
    def handle_starttag(self, tag, attrs):
        if tag in ('td', 'th'):
            self.inside = True
            self.cells.append('')
    def handle_endtag(self, tag):
        if tag in ('td', 'th'):
            self.inside = False
    def handle_data(self, data):
        if self.inside:
            self.cells[-1] += data
page = Cells()
page.feed(open(path('htm'), encoding='utf-8').read())
text_holds('htm', '\n'.join(page.cells))

root = ET.parse(path('xml')).getroot()
text_holds('xml', '\n'.join(t for e in root.iter() for t in [e.text or ''] + list(e.attrib.values())))

text_holds('txt', open(path('txt'), encoding='utf-8').read())
for ext in ('doc', 'rtf'):
    text_holds(ext, open(os.path.join(folder, 'lo', 'out-' + ext + '.txt'), encoding='utf-8').read())
text_holds('tex', open(os.path.join(folder, 'out.pdf.txt'), encoding='utf-8').read())

for f in failures:
    print(f)
)PY";

// The files of one tab, written through the dialog window as a user would.
class DemoExportReaders : public ::testing::TestWithParam<TTab> {
protected:
    void SetUp() override {
        const QString db = QStringLiteral(OSTREL_SAMPLE_DB);
        ASSERT_TRUE(QFile::copy(db, QDir(sampleDir.path()).filePath(QStringLiteral("country.gdb"))));
        QFile(QDir(sampleDir.path()).filePath(QStringLiteral("country.gdb")))
            .setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        qt::SetErrorDisplayFunction([this](QWidget*, const QString& m) { errors.push_back(m.toStdString()); });
    }
    void TearDown() override {
        qt::SetErrorDisplayFunction(nullptr);
        TIB_OstrelDialog::SetDialogRunner(previousRunner);
    }

    // Runs every type from the window the demo's button opens, then closes it.
    void ExportEveryType(demo::TForm1& form) {
        previousRunner = TIB_OstrelDialog::SetDialogRunner([this](TIB_OstrelDialog& component) {
            qt::TIB_OstrelDialogF window(component);
            window.setAttribute(Qt::WA_DontShowOnScreen, true);
            window.show();
            TOstrelDialogSettings& s = window.Settings();
            s.SetBool(dsShowFile, false);
            for (const TType& type : kTypes) {
                s.SetInt(dsExportType, type.Code);
                s.SetStr(dsFileName, dir.File(std::string("out.") + type.Extension));
                if (type.Code == aeSQL) s.SetBool(dsSQLCreateTable, true);
                ConfirmWhenEnded(window);
                window.StartExport();
            }
            s.SetInt(dsExportType, aeClipboard);
            ConfirmWhenEnded(window);
            window.StartExport();
            window.reject();
        });
        form.Button1Click();
    }
    static void ConfirmWhenEnded(qt::TIB_OstrelDialogF& window) {
        auto* poll = new QTimer(&window);
        QObject::connect(poll, &QTimer::timeout, poll, [&window, poll] {
            qt::TIB_OstrelDialogProgressF* p = window.ProgressWindow();
            if (!p || p->Progress().ButtonStops()) return;
            p->Controls().Button->click();
            poll->deleteLater();
        });
        poll->start(2);
    }

    QTemporaryDir sampleDir;
    TTempDir dir;
    std::vector<std::string> errors;
    TClipboardScope clipboard;
    TIB_OstrelDialog::TDialogRunner previousRunner;
};

// The key column's values as the tab's source shows them, from the first row on.
std::vector<std::string> SourceValues(demo::TForm1& form, const TTab& tab) {
    std::vector<std::string> values;
    if (tab.Index <= 1) {
        TIB_Dataset& ds = form.IB_Query1;
        for (ds.First(); !ds.Eof(); ds.Next()) values.push_back(ds.FieldByName("NAME")->AsString());
    } else if (tab.Index == 2) {
        for (int i = 0; i < form.ListView1->ItemCount(); ++i) values.push_back(form.ListView1->ItemSubItem(i, 0));
    } else {
        for (int row = 1; row < form.StringGrid1->RowCount(); ++row) values.push_back(form.StringGrid1->Cells(1, row));
    }
    return values;
}

TEST_P(DemoExportReaders, EveryFormatFromTheTabReadsBackWithTheSourcesRows) {
    const TTab tab = GetParam();
    for (const char* reader : {"soffice", "pdftotext", "pdflatex", "lualatex"}) REQUIRE_READER(reader);
    demo::TForm1 form(sampleDir.path(), [this](const QString& m) { errors.push_back(m.toStdString()); });
    ASSERT_TRUE(errors.empty()) << errors[0];
    form.PageControl1->setCurrentIndex(tab.Index);
    ExportEveryType(form);
    ASSERT_TRUE(errors.empty()) << errors[0];
    const std::vector<std::string> values = SourceValues(form, tab);
    ASSERT_GE(values.size(), 5u);
    for (const TType& type : kTypes)
        ASSERT_TRUE(std::filesystem::exists(dir.File(std::string("out.") + type.Extension))) << type.Extension;

    // LibreOffice reads the documents into text and the DIF and SYLK sheets into CSV.
    const std::string lo = "soffice --headless -env:UserInstallation=file://" + dir.File("lo-profile") + " ";
    std::filesystem::create_directories(dir.File("lo"));
    for (const char* ext : {"doc", "rtf", "dif", "slk"})
        std::filesystem::copy_file(dir.File(std::string("out.") + ext), dir.File(std::string("lo/out-") + ext + "." + ext));
    TCommandResult r = RunCommand("cd " + ShellQuote(dir.File("lo")) + " && " + lo +
                                  "--convert-to 'txt:Text (encoded):UTF8' out-doc.doc out-rtf.rtf");
    ASSERT_EQ(r.ExitCode, 0) << r.Output;
    // DIF declares no character set: the reader is told UTF-8 (76).
    for (const char* sheet : {"--infilter=DIF:76 out-dif.dif", "out-slk.slk"}) {
        r = RunCommand("cd " + ShellQuote(dir.File("lo")) + " && " + lo +
                       "--convert-to 'csv:Text - txt - csv (StarCalc):44,34,76,1,,0,true' " + sheet);
        ASSERT_EQ(r.ExitCode, 0) << r.Output;
    }

    // The LaTeX file by the engine it names, then its text.
    const std::string tex = ReadAll(dir.File("out.tex"));
    const std::string engine = tex.find("\\ifLuaTeX\\else\\errmessage") != std::string::npos ? "lualatex" : "pdflatex";
    for (int pass = 0; pass < 2; ++pass) {
        r = RunCommand("cd " + ShellQuote(dir.File("")) + " && " + engine +
                       " -interaction=nonstopmode -halt-on-error out.tex");
        ASSERT_EQ(r.ExitCode, 0) << engine << ": " << r.Output.substr(r.Output.size() > 3000 ? r.Output.size() - 3000 : 0);
    }
    r = RunCommand("pdftotext -raw " + ShellQuote(dir.File("out.pdf")) + " " + ShellQuote(dir.File("out.pdf.txt")));
    ASSERT_EQ(r.ExitCode, 0) << r.Output;

    // The clipboard holds the rows as well, in order.
    size_t at = 0;
    for (const auto& v : values) {
        at = clipboard.Service->Text.find(v, at);
        ASSERT_NE(at, std::string::npos) << v << " not on the clipboard: " << clipboard.Service->Text.substr(0, 300);
    }
    std::string expected;
    for (const auto& v : values) expected += v + "\n";
    std::ofstream(dir.File("values.txt"), std::ios::binary) << expected;
    const std::string failures = RunPython(dir, kCheckScript,
                                           ShellQuote(dir.File("")) + " " + tab.KeyColumn + " " +
                                               ShellQuote(dir.File("values.txt")));
    EXPECT_EQ(failures, "") << "tab " << tab.Name;
}

INSTANTIATE_TEST_SUITE_P(EachTab, DemoExportReaders, ::testing::ValuesIn(kTabs),
                         [](const ::testing::TestParamInfo<TTab>& info) { return std::string(info.param.Name); });

}  // namespace
}  // namespace ostrel::test
