// The CSV reader of ostrel-export and the list view and string grid it serves: records across
// block boundaries, every line end, quotes, the line of an unclosed quote, starting over; and
// sources that answer the engine exactly as the in-memory ones filled from the whole file did.
#include <thread>

#include <unistd.h>

#include "TestSupport.h"
#include "cli/CsvSource.h"
#include "exporters/text/IB_OstrelASCII.h"
#include "exporters/text/IB_OstrelSQL.h"
#include "exporters/text/IB_OstrelXML.h"
#include "platform/Streams.h"

namespace ostrel::test {
namespace {

using cli::TCsvReader;
using cli::TCsvRecords;
using TRecords = std::vector<std::vector<std::string>>;

TRecords ReadAllRecords(TCsvReader& reader) {
    TRecords records;
    std::vector<std::string> fields;
    while (reader.Next(fields)) records.push_back(fields);
    return records;
}

TRecords ReadText(std::string_view text, size_t bufferSize = TCsvReader::kDefaultBufferSize, char separator = ',') {
    TCsvReader reader(text, separator, "t.csv", bufferSize);
    return ReadAllRecords(reader);
}

// The message a read fails with, or "" when it does not.
std::string FailureOf(std::string_view text, size_t bufferSize = TCsvReader::kDefaultBufferSize) {
    try {
        ReadText(text, bufferSize);
    } catch (const EOstrelError& e) {
        return e.what();
    }
    return {};
}

std::string WriteFile(const TTempDir& dir, const std::string& name, const std::string& text) {
    std::ofstream(dir.File(name), std::ios::binary) << text;
    return dir.File(name);
}

std::unique_ptr<TCsvRecords> RecordsOf(std::string_view text, size_t bufferSize = TCsvReader::kMinBufferSize) {
    return std::make_unique<TCsvRecords>(std::make_unique<TCsvReader>(text, ',', "t.csv", bufferSize));
}

// Every line end style and a mix of them; an empty line is a record of one empty field; a last
// line needs no line end, and a line end at the end of the text opens no further record.
TEST(CsvReader, EveryLineEndEndsARecord) {
    const TRecords expected = {{"a", "b"}, {"1", "2"}, {"3", ""}};
    EXPECT_EQ(ReadText("a,b\n1,2\n3,\n"), expected);
    EXPECT_EQ(ReadText("a,b\r\n1,2\r\n3,\r\n"), expected);
    EXPECT_EQ(ReadText("a,b\r1,2\r3,\r"), expected);
    EXPECT_EQ(ReadText("a,b\r\n1,2\r3,"), expected);
    // CR LF is one line end; LF CR is two, the second ending an empty line.
    EXPECT_EQ(ReadText("a\n\r b\r\n\r\n"), (TRecords{{"a"}, {""}, {" b"}, {""}}));
    EXPECT_EQ(ReadText("\n\na\n\n"), (TRecords{{""}, {""}, {"a"}, {""}}));
    EXPECT_EQ(ReadText(""), TRecords{});
    EXPECT_EQ(ReadText("\n"), TRecords{{""}});
    EXPECT_EQ(ReadText(",,"), (TRecords{{"", "", ""}}));
    // Records differ in length as the file has them.
    EXPECT_EQ(ReadText("a,b,c\n1\n1,2,3,4\n"), (TRecords{{"a", "b", "c"}, {"1"}, {"1", "2", "3", "4"}}));
}

// Quotes as RFC 4180 has them, and the lenient reading of the rest: a quote later in a field,
// and text after a closing quote, are kept as text.
TEST(CsvReader, QuotedFields) {
    EXPECT_EQ(ReadText("\"Smith, J\",\"say \"\"hi\"\"\",\"\"\n"), (TRecords{{"Smith, J", "say \"hi\"", ""}}));
    EXPECT_EQ(ReadText("\"a\nb\",\"c\r\nd\",\"e\rf\"\n2\n"), (TRecords{{"a\nb", "c\r\nd", "e\rf"}, {"2"}}));
    EXPECT_EQ(ReadText("ab\"cd,\"x\"after\"\",\"\"\"\""), (TRecords{{"ab\"cd", "xafter\"\"", "\""}}));
    EXPECT_EQ(ReadText("\"x\"\"\""), TRecords{{"x\""}});
    EXPECT_EQ(ReadText("a;\"b;c\";d,e", TCsvReader::kDefaultBufferSize, ';'), (TRecords{{"a", "b;c", "d,e"}}));
    EXPECT_EQ(ReadText("a\t\"b\tc\"", TCsvReader::kDefaultBufferSize, '\t'), (TRecords{{"a", "b\tc"}}));
}

// A value keeps every byte: NUL, control characters, invalid UTF-8.
TEST(CsvReader, ValuesKeepEveryByte) {
    const char raw[] = "\"nul\0in\",\xFF\xFE,\x01\x1B\n\xC3,\0\n";
    const std::string text(raw, sizeof raw - 1);
    EXPECT_EQ(ReadText(text), (TRecords{{std::string("nul\0in", 6), "\xFF\xFE", "\x01\x1B"}, {"\xC3", std::string(1, '\0')}}));
}

// A byte order mark is passed over at the start only; part of one is text.
TEST(CsvReader, ByteOrderMarkAtTheStart) {
    EXPECT_EQ(ReadText("\xEF\xBB\xBFid\n1\n"), (TRecords{{"id"}, {"1"}}));
    EXPECT_EQ(ReadText("\xEF\xBB\xBF"), TRecords{});
    EXPECT_EQ(ReadText("\xEF\xBBx\n"), TRecords{{"\xEF\xBBx"}});
    EXPECT_EQ(ReadText("a\n\xEF\xBB\xBF" "b\n"), (TRecords{{"a"}, {"\xEF\xBB\xBF" "b"}}));
    EXPECT_EQ(ReadText("\xEF\xBB\xBF\"q,\"\n"), TRecords{{"q,"}});
}

// Blocks of any size give the same records: quotes, doubled quotes, CR LF and the byte order
// mark fall on every boundary, and fields are longer than a block.
TEST(CsvReader, RecordsAcrossBlockBoundaries) {
    const std::string text = "\xEF\xBB\xBF" "id,\"te\"\"xt\",x\r\n1,\"multi\r\nline \"\"quoted\"\"\",\"\"\r\r\n" +
                             std::string(300, 'v') + ",\"" + std::string(200, '"') + "\"\n\n4,\"a\"b\"c\",end";
    const TRecords expected = {{"id", "te\"xt", "x"},
                               {"1", "multi\r\nline \"quoted\"", ""},
                               {""},
                               {std::string(300, 'v'), std::string(100, '"')},
                               {""},
                               {"4", "ab\"c\"", "end"}};
    ASSERT_EQ(ReadText(text), expected);
    for (size_t size = 1; size <= 70; ++size) {
        SCOPED_TRACE(size);
        EXPECT_EQ(ReadText(text, size), expected);
    }
    // A file through small blocks: the same records, and a pass that skips counts the same fields.
    TTempDir dir;
    TCsvReader file(WriteFile(dir, "b.csv", text), ',', 5);
    EXPECT_EQ(ReadAllRecords(file), expected);
    file.Restart();
    std::vector<size_t> counts;
    for (size_t n = 0; file.Skip(n);) counts.push_back(n);
    EXPECT_EQ(counts, (std::vector<size_t>{3, 3, 1, 2, 1, 3}));
}

// The message names the file and the line the quote opened on; line breaks inside earlier
// quoted fields count, each line end style once.
TEST(CsvReader, UnclosedQuoteNamesItsLine) {
    const std::string message = "t.csv: the quoted field that starts on line 5 has no closing quote";
    const std::string text = "a,\"b\nc\"\r\nd\re\r\n\"open\nmore\nlines";
    for (size_t size : {size_t{4}, size_t{7}, TCsvReader::kDefaultBufferSize}) {
        SCOPED_TRACE(size);
        EXPECT_EQ(FailureOf(text, size), message);
    }
    EXPECT_EQ(FailureOf("\"x"), "t.csv: the quoted field that starts on line 1 has no closing quote");
    EXPECT_EQ(FailureOf("a\n\"x\"\"\n"), "t.csv: the quoted field that starts on line 2 has no closing quote");
    // Skipping finds it too, and the records before it are read.
    TCsvReader reader(std::string_view(text), ',', "t.csv", 4);
    size_t count = 0;
    for (int i = 0; i < 3; ++i) EXPECT_TRUE(reader.Skip(count));
    try {
        reader.Skip(count);
        ADD_FAILURE() << "no failure";
    } catch (const EOstrelError& e) {
        EXPECT_EQ(e.what(), message);
    }
}

// Starting over gives the records again from the first, and counts lines from 1 again.
TEST(CsvReader, StartsOver) {
    TTempDir dir;
    TCsvReader reader(WriteFile(dir, "s.csv", "\xEF\xBB\xBFh\n1\n2\n\"x"), ',', 4);
    std::vector<std::string> fields;
    ASSERT_TRUE(reader.Next(fields));
    ASSERT_TRUE(reader.Next(fields));
    EXPECT_EQ(fields, std::vector<std::string>{"1"});
    reader.Restart();
    ASSERT_TRUE(reader.Next(fields));
    EXPECT_EQ(fields, std::vector<std::string>{"h"});
    ASSERT_TRUE(reader.Next(fields));
    ASSERT_TRUE(reader.Next(fields));
    EXPECT_THROW(reader.Next(fields), EOstrelError);
    reader.Restart();
    size_t count = 0;
    EXPECT_TRUE(reader.Skip(count));
    EXPECT_TRUE(reader.Skip(count));
    EXPECT_TRUE(reader.Skip(count));
    try {
        reader.Next(fields);
        ADD_FAILURE() << "no failure";
    } catch (const EOstrelError& e) {
        EXPECT_EQ(e.what(), dir.File("s.csv") + ": the quoted field that starts on line 4 has no closing quote");
    }
}

// A file changed after it was opened (a record added, or rewritten at the same length) is
// refused when read again, instead of giving other records than the first pass counted.
TEST(CsvReader, AFileChangedBetweenPassesIsRefused) {
    TTempDir dir;
    const std::string name = WriteFile(dir, "c.csv", "a\n1\n");
    const std::string changed = name + ": the file changed while it was being read";
    {
        TCsvReader reader(name, ',');
        std::ofstream(name, std::ios::app) << "2\n";
        try {
            reader.Restart();
            ADD_FAILURE() << "no failure";
        } catch (const EOstrelError& e) {
            EXPECT_EQ(e.what(), changed);
        }
    }
    {
        TCsvReader reader(name, ',');
        const auto time = std::filesystem::last_write_time(name);
        std::ofstream(name, std::ios::binary) << "b\n3\n4\n";
        std::filesystem::last_write_time(name, time - std::chrono::seconds(5));
        EXPECT_THROW(reader.Restart(), EOstrelError);
    }
    EXPECT_THROW(TCsvReader(dir.File("missing.csv"), ','), EStreamError);
}

// A pipe gives its bytes once: the reader keeps a copy, which reads again.
TEST(CsvReader, APipeReadsAgain) {
    int fds[2];
    ASSERT_EQ(::pipe(fds), 0);
    const std::string text = "h\n" + std::string(200000, 'x') + "\n2\n";
    const int writeEnd = fds[1];
    std::thread writer([writeEnd, &text] {
        for (size_t done = 0; done < text.size();) {
            const ssize_t n = ::write(writeEnd, text.data() + done, text.size() - done);
            if (n <= 0) break;
            done += static_cast<size_t>(n);
        }
        ::close(writeEnd);
    });
    TCsvReader reader("/dev/fd/" + std::to_string(fds[0]), ',');
    writer.join();
    ::close(fds[0]);
    const TRecords expected = {{"h"}, {std::string(200000, 'x')}, {"2"}};
    EXPECT_EQ(ReadAllRecords(reader), expected);
    reader.Restart();
    EXPECT_EQ(ReadAllRecords(reader), expected);
}

// ---- The sources ----

// A file with a header, ragged rows, an empty line and repeated and empty header texts.
const char* const kRagged = "a,A,,b\n1\n\n1,2,3,4,5,6\n\"x\ny\",\"q\"\"\"\n,,\n";

// The in-memory list view and grid as ostrel-export filled them from the whole file: the
// reference the streaming sources must answer as.
void FillMemList(const cli::TCsvTable& table, TMemListView& list) {
    size_t cols = table.Header.size();
    for (const auto& r : table.Rows) cols = std::max(cols, r.size());
    for (const auto& name : cli::ColumnNames(table.Header, cols)) list.AddColumn(name, TMemStringGrid::kDefaultColWidth);
    for (const auto& r : table.Rows) {
        std::vector<std::string> subItems(cols - 1);
        for (size_t c = 1; c < r.size(); ++c) subItems[c - 1] = r[c];
        list.AddItem(r[0], std::move(subItems));
    }
}

void FillMemGrid(const cli::TCsvTable& table, TMemStringGrid& grid) {
    size_t cols = 0;
    for (const auto& r : table.Rows) cols = std::max(cols, r.size());
    grid.SetSize(static_cast<int>(cols), static_cast<int>(table.Rows.size()));
    for (size_t r = 0; r < table.Rows.size(); ++r)
        for (size_t c = 0; c < table.Rows[r].size(); ++c)
            grid.SetCell(static_cast<int>(c), static_cast<int>(r), table.Rows[r][c]);
    if (grid.RowCount() > 0) grid.SetRow(0);
}

// Every question the engine asks of a list view, inside and outside the ranges.
std::vector<std::string> Answers(const TListView& lv) {
    std::vector<std::string> a = {std::to_string(lv.ItemCount()), std::to_string(lv.ColumnCount()),
                                  std::to_string(lv.SelectedIndex())};
    EXPECT_TRUE(lv.Font() == TFont());
    for (int c = -1; c <= lv.ColumnCount(); ++c)
        a.push_back(lv.ColumnCaption(c) + "/" + std::to_string(lv.ColumnWidth(c)));
    for (int i = -1; i <= lv.ItemCount(); ++i) {
        a.push_back(lv.ItemCaption(i));
        for (int s = -1; s <= lv.ColumnCount(); ++s) a.push_back(lv.ItemSubItem(i, s));
    }
    return a;
}

std::vector<std::string> Answers(const TStringGrid& g) {
    std::vector<std::string> a = {std::to_string(g.ColCount()), std::to_string(g.RowCount()),
                                  std::to_string(g.FixedRows()), std::to_string(g.Row()),
                                  std::to_string(g.TextWidth("X")), std::to_string(g.TextWidth("Wide text"))};
    for (int c = -1; c <= g.ColCount(); ++c) a.push_back(std::to_string(g.ColWidth(c)));
    for (int r = -1; r <= g.RowCount(); ++r)
        for (int c = -1; c <= g.ColCount(); ++c) a.push_back(g.Cells(c, r));
    return a;
}

TEST(CsvSources, ListViewAnswersAsTheInMemoryOne) {
    TMemListView memory;
    FillMemList(cli::ParseCsv(kRagged, ',', true, "t.csv"), memory);
    cli::TCsvListView stream(RecordsOf(kRagged));
    EXPECT_EQ(Answers(stream), Answers(memory));
    EXPECT_EQ(stream.ColumnCaption(1), "A_2");
    EXPECT_EQ(stream.ColumnCaption(2), "column3");
    EXPECT_EQ(stream.ColumnCaption(5), "column6");
    EXPECT_EQ(stream.Header(), (std::vector<std::string>{"a", "A", "", "b"}));
    EXPECT_EQ(stream.ItemSubItem(3, 0), "q\"");
    // Asked again, now from the end backwards.
    std::vector<std::string> backwards, expected;
    for (int i = stream.ItemCount() - 1; i >= 0; --i) {
        backwards.push_back(stream.ItemSubItem(i, 2));
        expected.push_back(memory.ItemSubItem(i, 2));
    }
    EXPECT_EQ(backwards, expected);
}

TEST(CsvSources, StringGridAnswersAsTheInMemoryOne) {
    TMemStringGrid memory;
    FillMemGrid(cli::ParseCsv(kRagged, ',', false, "t.csv"), memory);
    cli::TCsvStringGrid stream(RecordsOf(kRagged));
    EXPECT_EQ(Answers(stream), Answers(memory));
    stream.SetRow(4);
    EXPECT_EQ(stream.Row(), 4);
    EXPECT_THROW(stream.SetRow(stream.RowCount()), EOstrelError);
    EXPECT_THROW(stream.SetRow(-1), EOstrelError);
    EXPECT_EQ(stream.Row(), 4);
}

// Files without data rows: the header alone, one empty line, nothing at all.
TEST(CsvSources, FilesWithoutRows) {
    for (const char* text : {"a,b\n", "a,b", "\n", "", "\xEF\xBB\xBF"}) {
        SCOPED_TRACE(text);
        TMemListView memoryList;
        FillMemList(cli::ParseCsv(text, ',', true, "t.csv"), memoryList);
        TMemStringGrid memoryGrid;
        FillMemGrid(cli::ParseCsv(text, ',', false, "t.csv"), memoryGrid);
        EXPECT_EQ(Answers(cli::TCsvListView(RecordsOf(text))), Answers(memoryList));
        EXPECT_EQ(Answers(cli::TCsvStringGrid(RecordsOf(text))), Answers(memoryGrid));
    }
}

// Any order of rows gives each row's own fields: a later row is read on to, an earlier one read
// again from the start, the same one kept.
TEST(CsvSources, AnEarlierRowAfterALaterOne) {
    std::string text;
    for (int r = 0; r < 40; ++r) text.append("r").append(std::to_string(r)).append(",\"").append(2 * r, '"').append("\"\n");
    TCsvRecords records(std::make_unique<TCsvReader>(std::string_view(text), ',', "t.csv", 5));
    EXPECT_EQ(records.Count(), 40);
    EXPECT_EQ(records.Widest(), 2);
    for (int r : {0, 39, 1, 1, 17, 16, 38, 0, 25, 39, 2}) {
        SCOPED_TRACE(r);
        const auto& record = records.Record(r);
        ASSERT_EQ(record.size(), 2u);
        EXPECT_EQ(record[0], std::string("r").append(std::to_string(r)));
        EXPECT_EQ(record[1], std::string(r, '"'));
    }
}

// The first pass finds an unclosed quote, so nothing has been written when it fails.
TEST(CsvSources, AnUnclosedQuoteFailsTheFirstPass) {
    try {
        RecordsOf("a,b\n1,2\n3,\"open\n4,5\n");
        ADD_FAILURE() << "no failure";
    } catch (const EOstrelError& e) {
        EXPECT_EQ(std::string(e.what()), "t.csv: the quoted field that starts on line 3 has no closing quote");
    }
}

// A file cut short between passes: the rows that are no longer there fail with a clear
// message, however the engine goes on to ask.
TEST(CsvSources, AFileCutShortBetweenPasses) {
    TTempDir dir;
    const std::string name = WriteFile(dir, "cut.csv", "h\n1\n2\n3\n4\n");
    cli::TCsvStringGrid grid(std::make_unique<TCsvRecords>(std::make_unique<TCsvReader>(name, ',', 4)));
    ASSERT_EQ(grid.RowCount(), 5);
    EXPECT_EQ(grid.Cells(0, 1), "1");  // read again from the start
    std::filesystem::resize_file(name, 4);  // "h\n1\n"
    const std::string changed = name + ": the file changed while it was being read";
    for (int row : {4, 3, 0}) {
        SCOPED_TRACE(row);
        try {
            grid.Cells(0, row);
            ADD_FAILURE() << "no failure";
        } catch (const EOstrelError& e) {
            EXPECT_EQ(e.what(), changed);
        }
    }
}

template <class E>
struct TToMemory : E {
    using E::ExportToStream;
};

// Whole exports through the engine, with its pre-passes (text widths, typed columns) that go
// over the rows again from the start: the same bytes from either kind of source.
template <class E, class Setup>
std::string Export(TListView& source, Setup setup) {
    TToMemory<E> e;
    setup(e);
    e.SetExportSource(esListView);
    e.SetListView(&source);
    TMemoryStream out;
    e.ExportToStream(out);
    return out.Text();
}

template <class E, class Setup>
std::string Export(TStringGrid& source, Setup setup) {
    TToMemory<E> e;
    setup(e);
    e.SetExportSource(esStringGrid);
    e.SetStringGrid(&source);
    TMemoryStream out;
    e.ExportToStream(out);
    return out.Text();
}

// Whole exports through the engine, with its pre-passes (text widths, typed columns) that go
// over the rows again from the start: the same bytes from either kind of source.
template <class E, class Setup>
void ExpectSameExport(const std::string& text, Setup setup) {
    TMemListView memoryList;
    FillMemList(cli::ParseCsv(text, ',', true, "t.csv"), memoryList);
    cli::TCsvListView streamList(RecordsOf(text));
    const std::string fromList = Export<E>(memoryList, setup);
    EXPECT_EQ(Export<E>(streamList, setup), fromList);
    TMemStringGrid memoryGrid;
    FillMemGrid(cli::ParseCsv(text, ',', false, "t.csv"), memoryGrid);
    cli::TCsvStringGrid streamGrid(RecordsOf(text));
    const std::string fromGrid = Export<E>(memoryGrid, setup);
    EXPECT_EQ(Export<E>(streamGrid, setup), fromGrid);
    EXPECT_FALSE(fromList.empty());
    EXPECT_FALSE(fromGrid.empty());
}

TEST(CsvSources, ExportsAsFromTheInMemorySources) {
    const std::string typed = "n,x,when,ok\n1,1.5,12/24/1980,True\n-7,2,1/2/2003,False\n42,\"3.25\",2/29/2000,true\n";
    ExpectSameExport<TIB_OstrelASCII>(typed + "5,x,y\n", [](TIB_OstrelASCII& e) { e.SetExportType(etTXT); });
    ExpectSameExport<TIB_OstrelASCII>(kRagged, [](TIB_OstrelASCII& e) {
        e.SetExportType(etTXT);
        e.SetSkipRecCount(1);
        e.SetExportRecCount(3);
    });
    ExpectSameExport<TIB_OstrelSQL>(typed, [](TIB_OstrelSQL& e) {
        e.SetTableName("T");
        e.SetCreateTable(true);
        e.SetAutoCalcStrType(true);
    });
    ExpectSameExport<TIB_OstrelXML>(typed, [](TIB_OstrelXML& e) { e.SetAutoCalcStrType(true); });
}

}  // namespace
}  // namespace ostrel::test
