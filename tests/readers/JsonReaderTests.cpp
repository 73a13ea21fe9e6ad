// JSON documents and JSON Lines read back by Python's json module (numbers as exact decimals)
// and by jq: the sample database value by value against its SQL script, digits beyond double
// precision from the database, and texts that try to escape their strings.
#include <filesystem>

#include "ReaderSupport.h"
#include "exporters/text/IB_OstrelJSON.h"

namespace ostrel::test {
namespace {

// Reads a JSON document (array) or JSON Lines file with Python's json module or with jq, and
// compares every row with the expected rows: keys in order, each value's JSON type, and its
// value. Python reads numbers exactly (integers as int, others as Decimal) and must find every
// digit and, where asked, the scale; jq 1.6 holds numbers as doubles, so there they are compared
// as doubles. The expected rows come from the sample database's SQL script (sql:FILE) or from
// a file of lines (expect:FILE), a row per line, cells separated by tabs, each cell
// KEYHEX:KIND:VALUE with KIND int, dec, decN (N decimals exactly), str (VALUE in hex of UTF-8),
// bool or null. Usage: check.py python|jq array|lines FILE sql:FILE|expect:FILE [KEY,KEY,...]
const char* const kCheckScript = R"PY(
import json, re, subprocess, sys
from decimal import Decimal

def fail(message):
    sys.stdout.write('FAIL ' + message + '\n')
    sys.exit(1)

class Obj(list):
    pass

def pairs(items):
    keys = [k for k, _ in items]
    if len(set(keys)) != len(keys):
        raise ValueError('repeated key among %r' % keys)
    return Obj(items)

def no_constant(name):
    raise ValueError('not a JSON value: ' + name)

def type_of(value):
    if value is None: return 'null'
    if isinstance(value, bool): return 'boolean'
    if isinstance(value, (int, Decimal)): return 'number'
    if isinstance(value, str): return 'string'
    fail('nested value %r' % (value,))

def read_python(path, layout):
    raw = open(path, 'rb').read()
    if raw.startswith(b'\xef\xbb\xbf'): fail('byte order mark')
    text = raw.decode('utf-8')  # strict: a byte that is no UTF-8 fails here
    if text and not text.endswith('\n'): fail('the last line has no line end')
    kw = dict(parse_float=Decimal, parse_int=int, parse_constant=no_constant, object_pairs_hook=pairs)
    if layout == 'array':
        rows = json.loads(text, **kw)  # strict: control characters inside strings fail
        if not isinstance(rows, list) or isinstance(rows, Obj): fail('not an array')
    else:
        rows = [json.loads(line, **kw) for line in text.split('\n')[:-1]]
    for row in rows:
        if not isinstance(row, Obj): fail('a row that is no object: %r' % (row,))
    # A row a line, also to a reader that ends lines at every Unicode line end.
    lines = text.splitlines()
    if layout == 'lines' and len(lines) != len(rows): fail('%d lines for %d rows' % (len(lines), len(rows)))
    if layout == 'array' and rows and (len(lines) != len(rows) + 2 or lines[0] != '[' or lines[-1] != ']'):
        fail('%d lines for an array of %d rows' % (len(lines), len(rows)))
    return [[(k, type_of(v), v) for k, v in row] for row in rows]

def read_jq(path, layout):
    if layout == 'array':
        r = subprocess.run(['jq', '-e', 'type == "array"', path], capture_output=True)
        if r.returncode != 0: fail('jq: not an array: ' + r.stderr.decode('utf-8', 'replace'))
    each = '.[]' if layout == 'array' else '.'
    r = subprocess.run(['jq', '-c', each + ' | if type == "object" then [to_entries[] | [.key, (.value | type), .value]]'
                        ' else error("a row that is no object") end', path], capture_output=True)
    if r.returncode != 0: fail('jq: ' + r.stderr.decode('utf-8', 'replace'))
    # Split at LF only: U+2028 in a text is no line end here.
    return [[tuple(cell) for cell in json.loads(line)] for line in r.stdout.decode('utf-8').split('\n') if line]

def sql_values(text):
    out, i = [], 0
    while i < len(text):
        c = text[i]
        if c in ' ,':
            i += 1
        elif c == "'":
            s, j = '', i + 1
            while True:
                k = text.index("'", j)
                s += text[j:k]
                if text[k + 1:k + 2] == "'":
                    s, j = s + "'", k + 2
                else:
                    i = k + 1
                    break
            out.append(('text', s))
        else:
            j = text.find(',', i)
            j = len(text) if j < 0 else j
            out.append(('raw', text[i:j].strip()))
            i = j
    return out

def expected_from_sql(path):
    sql = open(path, encoding='utf-8').read()
    body = re.search(r'CREATE TABLE \w+ \((.*?)\n\);', sql, re.S).group(1)
    columns = []
    for line in body.strip().split('\n'):
        name, declared = line.split(None, 1)
        declared = declared.upper()
        kind = ('int' if declared.startswith(('INTEGER', 'BIGINT')) else
                'dec' if declared.startswith('DOUBLE') else
                'dec4' if declared.startswith('NUMERIC(18,4)') else
                'ts' if declared.startswith('TIMESTAMP') else
                'bool' if declared.startswith('BOOLEAN') else 'str')
        columns.append((name, kind))
    rows = []
    for line in sql.split('\n'):
        m = re.match(r'INSERT INTO \w+ VALUES \((.*)\);$', line)
        if not m: continue
        values = sql_values(m.group(1))
        if len(values) != len(columns): fail('cannot read ' + line)
        row = []
        for (name, kind), (how, text) in zip(columns, values):
            if how == 'raw' and text.upper() == 'NULL':
                row.append((name, 'null', None, None))
            elif kind == 'int':
                row.append((name, 'int', int(text), None))
            elif kind in ('dec', 'dec4'):
                row.append((name, 'dec', Decimal(text), 4 if kind == 'dec4' else None))
            elif kind == 'bool':
                row.append((name, 'bool', text.upper() == 'TRUE', None))
            elif kind == 'ts':
                row.append((name, 'str', text.replace(' ', 'T'), None))
            else:
                row.append((name, 'str', text, None))
        rows.append(row)
    return sorted(rows, key=lambda r: r[0][2])

def expected_from_file(path):
    rows = []
    for line in open(path, encoding='ascii').read().split('\n'):
        if not line: continue
        row = []
        for cell in line.split('\t'):
            key, kind, value = cell.split(':', 2)
            key = bytes.fromhex(key).decode('utf-8')
            if kind == 'int': row.append((key, 'int', int(value), None))
            elif kind.startswith('dec'): row.append((key, 'dec', Decimal(value), int(kind[3:]) if kind[3:] else None))
            elif kind == 'str': row.append((key, 'str', bytes.fromhex(value).decode('utf-8'), None))
            elif kind == 'bool': row.append((key, 'bool', value == 'true', None))
            else: row.append((key, 'null', None, None))
        rows.append(row)
    return rows

mode, layout, path, source = sys.argv[1:5]
got = read_python(path, layout) if mode == 'python' else read_jq(path, layout)
want = expected_from_sql(source[4:]) if source.startswith('sql:') else expected_from_file(source[7:])
if len(sys.argv) > 5:
    keys = sys.argv[5].split(',')
    want = [[(k,) + cell[1:] for k, cell in zip(keys, row)] for row in want]
if len(got) != len(want): fail('%d rows, expected %d' % (len(got), len(want)))
json_type = {'int': 'number', 'dec': 'number', 'str': 'string', 'bool': 'boolean', 'null': 'null'}
for r, (row, expected) in enumerate(zip(got, want), 1):
    if [c[0] for c in row] != [c[0] for c in expected]:
        fail('row %d has the keys %r, expected %r' % (r, [c[0] for c in row], [c[0] for c in expected]))
    for (key, kind, value), (_, wkind, wvalue, scale) in zip(row, expected):
        where = 'row %d, %s: %r' % (r, key, value)
        if kind != json_type[wkind]: fail('%s is a %s, expected a %s' % (where, kind, json_type[wkind]))
        if wkind in ('int', 'dec') and mode == 'jq':
            if float(value) != float(wvalue): fail('%s, expected %s' % (where, wvalue))
        elif wkind in ('int', 'dec'):
            if (wkind == 'int') != (type(value) is int): fail('%s is read as %s' % (where, type(value).__name__))
            if value != wvalue: fail('%s, expected %s' % (where, wvalue))
            if scale is not None and value.as_tuple().exponent != -scale: fail('%s has not %d decimals' % (where, scale))
        elif value != wvalue:
            fail('%s, expected %r' % (where, wvalue))
print('ok %d rows' % len(got))
)PY";

std::string Hex(const std::string& bytes) {
    static const char digits[] = "0123456789abcdef";
    std::string out;
    for (unsigned char c : bytes) {
        out += digits[c >> 4];
        out += digits[c & 15];
    }
    return out;
}

// One expected cell of an expect: file.
std::string Cell(const std::string& key, const std::string& kind, const std::string& value = "") {
    return Hex(key) + ":" + kind + ":" + (kind == "str" ? Hex(value) : value);
}

std::string Check(const TTempDir& dir, const std::string& reader, const std::string& layout, const std::string& file,
                  const std::string& source, const std::string& keys = "") {
    std::string args = reader + " " + layout + " " + ShellQuote(file) + " " + ShellQuote(source);
    if (!keys.empty()) args += " " + ShellQuote(keys);
    std::string out = RunPython(dir, kCheckScript, args);
    if (!out.empty() && out.back() == '\n') out.pop_back();
    return out;
}

// ostrel-export and the sample database beside this program, the database copied into the
// folder (the embedded engine locks a file to one process).
class JsonSample : public ::testing::Test {
protected:
    void SetUp() override {
        const std::filesystem::path bin = std::filesystem::read_symlink("/proc/self/exe").parent_path();
        program = (bin / "ostrel-export").string();
        const std::string database = (bin / "country.gdb").string();
        ASSERT_TRUE(std::filesystem::exists(program) && std::filesystem::exists(database))
            << "build the targets ostrel-export and sample_db first";
        std::filesystem::copy_file(database, dir.File("country.gdb"));
    }
    // Exports a query into the file; the file's extension names the layout.
    void Export(const std::string& sql, const std::string& file, const std::string& options = "") {
        const TCommandResult r = RunCommand("LC_ALL=C " + ShellQuote(program) + " --database " +
                                            ShellQuote(dir.File("country.gdb")) + " --password tallowfin --sql " +
                                            ShellQuote(sql) + " -q " + options + " " + ShellQuote(file) + " </dev/null");
        ASSERT_EQ(r.ExitCode, 0) << r.Output;
    }
    TTempDir dir;
    std::string program;
};

// Every column, the text BLOB included, in the order of the table.
const char* const kAllColumns = "--fields id,code,name,native_name,capital,continent,area,population,"
                                "gdp_per_capita,un_member_since,updated_at,landlocked,notes";

TEST_F(JsonSample, EveryValueOfTheSampleDatabaseReadsBackWithItsType) {
    REQUIRE_READER("/usr/bin/python3");
    REQUIRE_READER("jq");
    const std::string script = "sql:" OSTREL_SAMPLE_SQL;
    Export("select * from country order by id", dir.File("country.json"), kAllColumns);
    // Captions as keys: two columns captioned alike both keep their values.
    Export("select * from country order by id", dir.File("country.jsonl"),
           std::string(kAllColumns) + " --json-captions --caption CODE=Name --caption NAME=Name");
    const std::string captionKeys = "ID,Name,Name_2,NATIVE_NAME,CAPITAL,CONTINENT,AREA,POPULATION,GDP_PER_CAPITA,"
                                    "UN_MEMBER_SINCE,UPDATED_AT,LANDLOCKED,NOTES";
    // A query without rows: an empty array, an empty file.
    Export("select * from country where id < 0", dir.File("none.json"));
    Export("select * from country where id < 0", dir.File("none.jsonl"));
    EXPECT_EQ(ReadAll(dir.File("none.jsonl")), "");
    for (const char* reader : {"python", "jq"}) {
        EXPECT_EQ(Check(dir, reader, "array", dir.File("country.json"), script), "ok 197 rows") << reader;
        EXPECT_EQ(Check(dir, reader, "lines", dir.File("country.jsonl"), script, captionKeys), "ok 197 rows") << reader;
        EXPECT_EQ(Check(dir, reader, "array", dir.File("none.json"), "expect:/dev/null"), "ok 0 rows") << reader;
    }
}

TEST_F(JsonSample, DigitsBeyondDoublePrecisionFromTheDatabase) {
    REQUIRE_READER("/usr/bin/python3");
    REQUIRE_READER("jq");
    Export("select cast(9223372036854775807 as bigint) as big_max, cast(-9223372036854775807 - 1 as bigint) as big_min,"
           " cast(12345678901234.5678 as numeric(18,4)) as amount, cast(-99999999999999.9999 as numeric(18,4)) as debt,"
           " cast(-0.0001 as numeric(18,4)) as tiny, cast(0 as numeric(18,4)) as zero,"
           " cast(123456789012345678 as numeric(18,0)) as n0, cast(1234567890123.45 as numeric(18,2)) as n2,"
           " cast(0.1 as double precision) as d, cast(1e300 as double precision) as huge,"
           " cast('10:30:15.2500' as time) as at_time, cast('2003-02-01 14:05:09.1230' as timestamp) as stamp,"
           " cast(null as bigint) as nothing from rdb$database",
           dir.File("digits.json"));
    {
        std::ofstream expect(dir.File("digits.expect"));
        expect << Cell("BIG_MAX", "int", "9223372036854775807") << "\t" << Cell("BIG_MIN", "int", "-9223372036854775808")
               << "\t" << Cell("AMOUNT", "dec4", "12345678901234.5678") << "\t"
               << Cell("DEBT", "dec4", "-99999999999999.9999") << "\t" << Cell("TINY", "dec4", "-0.0001") << "\t"
               << Cell("ZERO", "dec4", "0.0000") << "\t" << Cell("N0", "int", "123456789012345678") << "\t"
               << Cell("N2", "dec", "1234567890123.45") << "\t" << Cell("D", "dec", "0.1") << "\t"
               << Cell("HUGE", "dec", "1E300") << "\t" << Cell("AT_TIME", "str", "10:30:15.250") << "\t"
               << Cell("STAMP", "str", "2003-02-01T14:05:09.123") << "\t" << Cell("NOTHING", "null") << "\n";
    }
    for (const char* reader : {"python", "jq"})
        EXPECT_EQ(Check(dir, reader, "array", dir.File("digits.json"), "expect:" + dir.File("digits.expect")),
                  "ok 1 rows")
            << reader << "\n" << ReadAll(dir.File("digits.json"));
}

// Texts that end a string, a line or a document early when written carelessly, and keys that
// repeat or hold the same.
class JsonNasty : public ::testing::Test {
protected:
    void SetUp() override {
        ds.AddField("ID", TMemFieldType::Integer);
        ds.AddField("V", TMemFieldType::String, 100);
        ds.AddField("v\"\\\n", TMemFieldType::String, 10);
        ds.AddField(std::string("k\0\xFF", 3), TMemFieldType::String, 10);
        ds.AddField("V", TMemFieldType::String, 10);  // the same name again
        int64_t id = 0;
        for (const auto& [text, readBack] : Texts()) ds.AppendRow({++id, text, "x", "y", TMemValue{}});
        ds.Open();
    }
    // Each text and what a reader must find.
    static std::vector<std::pair<std::string, std::string>> Texts() {
        std::string controls;
        for (int c = 0; c < 0x20; ++c) controls += static_cast<char>(c);
        const std::string fffd = "\xEF\xBF\xBD";
        return {
            {"say \"hi\", \\\"}]", "say \"hi\", \\\"}]"},
            {"\"}\n{\"ID\":0}", "\"}\n{\"ID\":0}"},
            {"line1\r\nline2\rline3\n", "line1\r\nline2\rline3\n"},
            {controls + "\x7F", controls + "\x7F"},
            {std::string("nul\0inside\0", 11), std::string("nul\0inside\0", 11)},
            {"\xE2\x80\xA8 and \xE2\x80\xA9, NEL \xC2\x85, \x1C\x1D\x1E", "\xE2\x80\xA8 and \xE2\x80\xA9, NEL \xC2\x85, \x1C\x1D\x1E"},
            {"bad \xFF\xFE, cut \xE2\x82, overlong \xC0\xAF, surrogate \xED\xA0\x80.",
             "bad " + fffd + fffd + ", cut " + fffd + fffd + ", overlong " + fffd + fffd + ", surrogate " + fffd + fffd +
                 fffd + "."},
            {"</script><!-- \xEF\xBB\xBF \xF0\x9F\x98\x80 東京 Ł", "</script><!-- \xEF\xBB\xBF \xF0\x9F\x98\x80 東京 Ł"},
            {"\\u0000 \\n \\\\", "\\u0000 \\n \\\\"},
            {"", ""},
        };
    }
    std::string Expected() {
        std::string lines;
        int id = 0;
        for (const auto& [text, readBack] : Texts()) {
            lines += Cell("ID", "int", std::to_string(++id)) + "\t" + Cell("V", "str", readBack) + "\t" +
                     Cell("v\"\\\n", "str", "x") + "\t" + Cell(std::string("k\0\xEF\xBF\xBD", 5), "str", "y") + "\t" +
                     Cell("V_2", "null") + "\n";
        }
        std::ofstream(dir.File("nasty.expect"), std::ios::binary) << lines;
        return "expect:" + dir.File("nasty.expect");
    }
    TFormatSettingsScope locale{UsSettings()};
    TTempDir dir;
    TMemDataset ds;
};

TEST_F(JsonNasty, EveryTextReadsBackExactly) {
    REQUIRE_READER("/usr/bin/python3");
    REQUIRE_READER("jq");
    for (TJSONLayout layout : {jlArray, jlLines}) {
        TIB_OstrelJSON e;
        e.SetDataSet(&ds);
        e.SetLayout(layout);
        e.SetFileName(dir.File("nasty.json"));
        e.DoExecute();
        for (const char* reader : {"python", "jq"})
            EXPECT_EQ(Check(dir, reader, layout == jlArray ? "array" : "lines", dir.File("nasty.json"), Expected()),
                      "ok 10 rows")
                << reader << "\n" << ReadAll(dir.File("nasty.json"));
    }
}

TEST_F(JsonNasty, Windows1252ListViewsReadBackAsTheirCharacters) {
    REQUIRE_READER("/usr/bin/python3");
    REQUIRE_READER("jq");
    TFormatSettings cp = UsSettings();
    cp.CodePage = CP_WINDOWS1252;
    TFormatSettingsScope scope(cp);
    TMemListView lv;
    lv.AddColumn("Gr\xF6\xDF" "e", 80);
    lv.AddColumn("Preis", 80);
    lv.AddItem("J\xFCrgen \x80 \"\x93quoted\x94\"", {"1.5"});
    lv.AddItem("\x81\x8D\x8F\x90\x9D", {"2"});  // the five bytes Windows-1252 leaves unassigned
    TIB_OstrelJSON e;
    e.SetExportSource(esListView);
    e.SetListView(&lv);
    e.SetAutoCalcStrType(true);
    e.SetFileName(dir.File("cp1252.json"));
    e.DoExecute();
    {
        std::ofstream expect(dir.File("cp1252.expect"), std::ios::binary);
        expect << Cell("Größe", "str", "Jürgen € \"“quoted”\"") << "\t" << Cell("Preis", "dec1", "1.5") << "\n"
               << Cell("Größe", "str", "\xC2\x81\xC2\x8D\xC2\x8F\xC2\x90\xC2\x9D") << "\t" << Cell("Preis", "dec1", "2.0")
               << "\n";
    }
    for (const char* reader : {"python", "jq"})
        EXPECT_EQ(Check(dir, reader, "array", dir.File("cp1252.json"), "expect:" + dir.File("cp1252.expect")),
                  "ok 2 rows")
            << reader;
}

}  // namespace
}  // namespace ostrel::test
