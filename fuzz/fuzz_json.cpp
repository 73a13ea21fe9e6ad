// The JSON exporter fed random rows and column names (any bytes, in UTF-8 or Windows-1252),
// checked by a strict reader of its own: the output is valid UTF-8 and RFC 8259 JSON, one
// object per row on a line of its own, no raw control character or Unicode line end, keys
// distinct within each object, and every text reads back as the cell's characters (bad bytes
// as U+FFFD).
#include <fuzzer/FuzzedDataProvider.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include "exporters/text/IB_OstrelJSON.h"
#include "fuzz/FuzzSupport.h"
#include "platform/CodePage.h"
#include "platform/FormatSettings.h"
#include "platform/Streams.h"
#include "sources/MemControls.h"

using namespace ostrel;

namespace {

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// A strict reader: fails the run on anything RFC 8259 or RFC 3629 does not allow.
class TReader {
public:
    explicit TReader(const std::string& text) : T(text) {}

    struct TValue {
        char Kind = 0;  // 's'tring, 'n'umber, 't'rue, 'f'alse, 'z' null
        std::string Text;
    };
    using TObject = std::vector<std::pair<std::string, TValue>>;

    bool AtEnd() const { return I == T.size(); }
    char Peek() const { return I < T.size() ? T[I] : '\0'; }
    void Expect(char c) {
        CHECK(Peek() == c);
        ++I;
    }
    void SkipBlanks() {
        while (Peek() == ' ' || Peek() == '\t' || Peek() == '\n' || Peek() == '\r') ++I;
    }

    TObject Object() {
        TObject members;
        std::set<std::string> keys;
        Expect('{');
        if (Peek() == '}') {
            ++I;
            return members;
        }
        for (;;) {
            std::string key = String();
            CHECK(keys.insert(key).second);
            Expect(':');
            members.emplace_back(std::move(key), Value());
            if (Peek() == '}') {
                ++I;
                return members;
            }
            Expect(',');
        }
    }

private:
    TValue Value() {
        TValue v;
        const char c = Peek();
        if (c == '"') {
            v.Kind = 's';
            v.Text = String();
        } else if (T.compare(I, 4, "true") == 0) {
            v.Kind = 't';
            I += 4;
        } else if (T.compare(I, 5, "false") == 0) {
            v.Kind = 'f';
            I += 5;
        } else if (T.compare(I, 4, "null") == 0) {
            v.Kind = 'z';
            I += 4;
        } else {
            v.Kind = 'n';
            const size_t start = I;
            while (I < T.size() && std::string("+-.0123456789eE").find(T[I]) != std::string::npos) ++I;
            v.Text = T.substr(start, I - start);
            CHECK(IsJsonNumber(v.Text));
        }
        return v;
    }

    unsigned Hex4() {
        unsigned v = 0;
        for (int k = 0; k < 4; ++k) {
            const char c = Peek();
            ++I;
            CHECK(std::isxdigit(static_cast<unsigned char>(c)));
            v = v * 16 + static_cast<unsigned>(std::isdigit(static_cast<unsigned char>(c)) ? c - '0' : (c | 0x20) - 'a' + 10);
        }
        return v;
    }

    // A string's characters in UTF-8.
    std::string String() {
        Expect('"');
        std::string out;
        for (;;) {
            CHECK(I < T.size());
            const auto b = static_cast<unsigned char>(T[I]);
            CHECK(b >= 0x20);  // no raw control character, line ends included
            if (b == '"') {
                ++I;
                return out;
            }
            if (b == '\\') {
                ++I;
                const char e = Peek();
                ++I;
                switch (e) {
                    case '"': out += '"'; break;
                    case '\\': out += '\\'; break;
                    case '/': out += '/'; break;
                    case 'b': out += '\b'; break;
                    case 'f': out += '\f'; break;
                    case 'n': out += '\n'; break;
                    case 'r': out += '\r'; break;
                    case 't': out += '\t'; break;
                    case 'u': {
                        char32_t cp = Hex4();
                        CHECK(cp < 0xD800 || cp > 0xDFFF);  // the exporter writes no surrogate pairs
                        AppendUtf8(out, cp);
                        break;
                    }
                    default: CHECK(false);
                }
                continue;
            }
            if (b < 0x80) {
                out += static_cast<char>(b);
                ++I;
                continue;
            }
            // RFC 3629: shortest forms, no surrogates, nothing above U+10FFFF.
            const int len = b >= 0xC2 && b <= 0xDF ? 2 : b >= 0xE0 && b <= 0xEF ? 3 : b >= 0xF0 && b <= 0xF4 ? 4 : 0;
            CHECK(len > 0 && I + static_cast<size_t>(len) <= T.size());
            char32_t cp = b & (0x7F >> len);
            for (int k = 1; k < len; ++k) {
                const auto c = static_cast<unsigned char>(T[I + static_cast<size_t>(k)]);
                CHECK((c & 0xC0) == 0x80);
                cp = (cp << 6) | (c & 0x3F);
            }
            CHECK(!(len == 3 && cp < 0x800) && !(len == 4 && (cp < 0x10000 || cp > 0x10FFFF)));
            CHECK(cp < 0xD800 || cp > 0xDFFF);
            CHECK(cp != 0x85 && cp != 0x2028 && cp != 0x2029);  // Unicode line ends are escaped
            out.append(T, I, static_cast<size_t>(len));
            I += static_cast<size_t>(len);
        }
    }

    const std::string& T;
    size_t I = 0;
};

// A text of the code page as a reader sees it: UTF-8 with every broken byte as U+FFFD.
std::string AsRead(const std::string& text, int codePage) {
    const std::string utf8 = codePage == CP_UTF8 ? text : ConvertCodePage(text, codePage, CP_UTF8);
    std::string out;
    for (size_t i = 0; i < utf8.size();) AppendUtf8(out, DecodeUtf8At(utf8, i));
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    TFormatSettings settings = TFormatSettings::Default();
    settings.CodePage = in.ConsumeBool() ? CP_UTF8 : CP_WINDOWS1252;
    TFormatSettingsScope scope(settings);
    const bool lines = in.ConsumeBool(), captionKeys = in.ConsumeBool(), typed = in.ConsumeBool();
    const size_t cols = in.ConsumeIntegralInRange<size_t>(1, 5);
    const size_t rows = in.ConsumeIntegralInRange<size_t>(0, 10);
    // Row 0 is the list view's column captions, the keys; short ones repeat often.
    std::vector<std::vector<std::string>> cells(rows + 1, std::vector<std::string>(cols));
    for (size_t r = 0; r <= rows; ++r)
        for (auto& v : cells[r]) v = in.ConsumeRandomLengthString(r == 0 ? 3 : 24);
    TMemListView lv;
    for (size_t c = 0; c < cols; ++c) lv.AddColumn(cells[0][c], 64);
    for (size_t r = 1; r <= rows; ++r)
        lv.AddItem(cells[r][0], std::vector<std::string>(cells[r].begin() + 1, cells[r].end()));

    TInMemory<TIB_OstrelJSON> e;
    e.SetExportSource(esListView);
    e.SetListView(&lv);
    e.SetLayout(lines ? jlLines : jlArray);
    e.SetCaptionsAsKeys(captionKeys);
    e.SetAutoCalcStrType(typed);
    TMemoryStream stream;
    e.ExportToStream(stream);
    const std::string out = stream.Text();

    TReader reader(out);
    std::vector<TReader::TObject> objects;
    if (lines) {
        // An object and LF, for each row, and nothing else.
        while (!reader.AtEnd()) {
            objects.push_back(reader.Object());
            reader.Expect('\n');
        }
    } else {
        reader.Expect('[');
        reader.SkipBlanks();
        if (reader.Peek() == ']') {
            reader.Expect(']');
        } else {
            for (;;) {
                CHECK(reader.Peek() == '{');
                objects.push_back(reader.Object());
                if (reader.Peek() == ',') {
                    reader.Expect(',');
                    reader.Expect('\n');
                    continue;
                }
                reader.Expect('\n');
                reader.Expect(']');
                break;
            }
        }
        reader.Expect('\n');
        CHECK(reader.AtEnd());
    }
    CHECK(objects.size() == rows);
    for (size_t r = 0; r < rows; ++r) {
        CHECK(objects[r].size() == cols);
        for (size_t c = 0; c < cols; ++c) {
            const std::string key = AsRead(cells[0][c], settings.CodePage);
            CHECK(objects[r][c].first.compare(0, key.size(), key) == 0);  // the name, or it and a suffix
            const TReader::TValue& v = objects[r][c].second;
            const std::string& cell = cells[r + 1][c];
            const TOstrelColType type = e.Columns()[static_cast<int>(c)].ColType;
            if (type == ectString) {
                CHECK(v.Kind == 's' && v.Text == AsRead(cell, settings.CodePage));
            } else if (cell.empty()) {
                CHECK(v.Kind == 'z');  // no value in a typed column
            } else if (type == ectBoolean) {
                CHECK(v.Kind == 't' || v.Kind == 'f');
            } else if (v.Kind == 's') {
                // A number or date-time the type guess took but its reading refused stays as it was.
                bool iso = !v.Text.empty();
                for (char ch : v.Text) iso = iso && std::string("0123456789-:T.").find(ch) != std::string::npos;
                CHECK((type != ectInteger && type != ectFloat && iso) || v.Text == AsRead(cell, settings.CodePage));
            } else {
                CHECK(v.Kind == 'n' && (type == ectInteger || type == ectFloat));
            }
        }
    }
    return 0;
}
