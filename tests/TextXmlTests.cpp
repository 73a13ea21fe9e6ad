// XML data packets, byte for byte, and well-formed whatever the data holds.
#include <fstream>

#include "TestSupport.h"
#include "exporters/text/IB_OstrelXML.h"
#include "exporters/text/XmlText.h"
#include "platform/CodePage.h"

namespace ostrel::test {
namespace {

std::string FirstLine(const std::string& text) { return text.substr(0, text.find("\r\n")); }

// Attribute text by the rules, character by character: the five markup characters and line
// ends as references, other control characters and what is no character as U+FFFD (UTF-8) or
// "?", everything else as it is.
std::string EscapedByTheRules(std::string_view text, bool utf8) {
    std::string out;
    for (size_t i = 0; i < text.size();) {
        const size_t start = i;
        const char32_t c = utf8 ? DecodeUtf8At(text, i) : static_cast<unsigned char>(text[i++]);
        if (c == '"') out += "&quot;";
        else if (c == '&') out += "&amp;";
        else if (c == '<') out += "&lt;";
        else if (c == '>') out += "&gt;";
        else if (c == '\r') out += "&#13;";
        else if (c == '\n') out += "&#10;";
        else if (c == '\t') out += "&#9;";
        else if (c < 0x20 || c == 0x7F) out += utf8 ? "\xEF\xBF\xBD" : "?";
        else if (utf8 && (c == 0xFFFD || c == 0xFFFE || c == 0xFFFF)) out += "\xEF\xBF\xBD";
        else out += text.substr(start, i - start);
    }
    return out;
}

TEST(XmlText, EveryShortByteSequenceIsEscapedByTheRules) {
    const unsigned char bytes[] = {0x00, 0x09, 0x0A, 0x0D, 0x22, 0x26, 0x3C, 0x3E, 0x41, 0x7F, 0x80, 0xA0, 0xBD,
                                   0xBE, 0xBF, 0xC2, 0xDF, 0xE0, 0xED, 0xEF, 0xF0, 0xF4, 0xFF};
    for (bool utf8 : {true, false})
        ForEachByteText(bytes, 3, [&](const std::string& tail) {
            const std::string text = "x" + tail;
            std::string out = "<";
            AppendXmlEscape(out, text, utf8 ? CP_UTF8 : CP_WINDOWS1252);
            ASSERT_EQ(out, "<" + EscapedByTheRules(text, utf8)) << ::testing::PrintToString(text);
        });
    std::string out;
    AppendXmlEscape(out, "\xEF\xBF\xBE\xEF\xBF\xBD\xF0\x9F\x98\x80", CP_UTF8);
    EXPECT_EQ(out, "\xEF\xBF\xBD\xEF\xBF\xBD\xF0\x9F\x98\x80");  // U+FFFE, U+FFFD, an emoji
}

class Xml : public ::testing::Test {
protected:
    void SetUp() override {
        ds.AddField("NAME", TMemFieldType::String, 20).SetDisplayLabel("Name");
        ds.AddField("SALARY", TMemFieldType::Float).SetDisplayLabel("Salary");
        ds.AppendRow({"Smith", 1200.0});
        ds.AppendRow({"a<b&c", 3.5});
        ds.Open();
        e.SetDataSet(&ds);
        e.SetFileName(dir.File("out.xml"));
    }
    std::string Run() {
        e.DoExecute();
        return ReadAll(dir.File("out.xml"));
    }
    TFormatSettingsScope locale{UsSettings()};
    TTempDir dir;
    TMemDataset ds;
    TIB_OstrelXML e;
};

TEST_F(Xml, DefaultDocument) {
    EXPECT_EQ(Run(),
              "<?xml version=\"1.0\" standalone=\"yes\"?>\r\n<DATAPACKET Version=\"2.0\">\r\n<METADATA>\r\n<FIELDS>\r\n"
              "<FIELD FieldName=\"NAME\" DisplayLabel=\"Name\" FieldType=\"String\" FieldClass=\"TField\"/>\r\n"
              "<FIELD FieldName=\"SALARY\" DisplayLabel=\"Salary\" FieldType=\"Float\" FieldClass=\"TField\"/>\r\n"
              "</FIELDS>\r\n</METADATA>\r\n<ROWDATA>\r\n"
              "<ROW Name=\"Smith\" Salary=\"1,200.00\"/>\r\n<ROW Name=\"a&lt;b&amp;c\" Salary=\"3.50\"/>\r\n"
              "</ROWDATA>\r\n</DATAPACKET>\r\n");
}

TEST_F(Xml, DeclarationOptions) {
    e.Options().SetStandAlone(false);
    e.Options().SetEncoding("windows-1251");
    e.Options().SetVersion("1.1");
    EXPECT_EQ(FirstLine(Run()), "<?xml version=\"1.1\" encoding=\"windows-1251\" standalone=\"no\"?>");
    TXMLOptions copy;
    copy.Assign(e.Options());
    EXPECT_EQ(copy.Encoding(), "windows-1251");
    // Without an explicit encoding a single-byte code page is declared.
    TFormatSettings s = UsSettings();
    s.CodePage = CP_WINDOWS1252;
    TFormatSettingsScope cp(s);
    e.Options().SetEncoding("");
    EXPECT_EQ(FirstLine(Run()), "<?xml version=\"1.1\" encoding=\"windows-1252\" standalone=\"no\"?>");
}

TEST_F(Xml, NoRecordsAndNoColumns) {
    e.SetExportRecCount(1);
    e.SetSkipRecCount(2);
    EXPECT_NE(Run().find("<ROWDATA>\r\n</ROWDATA>\r\n</DATAPACKET>\r\n"), std::string::npos);
    e.SetSkipRecCount(0);
    e.ExportedFields().SetText("NOPE");
    EXPECT_EQ(Run(),
              "<?xml version=\"1.0\" standalone=\"yes\"?>\r\n<DATAPACKET Version=\"2.0\">\r\n<METADATA>\r\n<FIELDS>\r\n"
              "</FIELDS>\r\n</METADATA>\r\n<ROWDATA>\r\n<ROW />\r\n</ROWDATA>\r\n</DATAPACKET>\r\n");
}

TEST_F(Xml, CaptionsBecomeValidDistinctAttributeNames) {
    e.Captions().SetText("NAME=Say \"hi\"\r\nSALARY=Say \"hi\"");
    e.Formats().SetNullString("<null>");
    const std::string out = Run();
    EXPECT_NE(out.find("DisplayLabel=\"Say &quot;hi&quot;\""), std::string::npos);
    EXPECT_NE(out.find("<ROW Say__hi_=\"Smith\" Say__hi__2=\"1,200.00\"/>"), std::string::npos);
    EXPECT_EQ(XmlNameOf("Name", CP_UTF8), "Name");
    EXPECT_EQ(XmlNameOf("Größe_1", CP_UTF8), "Größe_1");
    EXPECT_EQ(XmlNameOf("Date of birth", CP_UTF8), "Date_of_birth");
    EXPECT_EQ(XmlNameOf("1st", CP_UTF8), "_1st");
    EXPECT_EQ(XmlNameOf("", CP_UTF8), "_");
    EXPECT_EQ(XmlNameOf("a:b", CP_UTF8), "a_b");
    EXPECT_EQ(XmlNameOf("東京", CP_UTF8), "東京");
    // Reserved names: "xmlns" as an attribute would declare a namespace and lose the column.
    EXPECT_EQ(XmlNameOf("xmlns", CP_UTF8), "_xmlns");
    EXPECT_EQ(XmlNameOf("XMLdata", CP_UTF8), "_XMLdata");
    EXPECT_EQ(XmlNameOf("xm", CP_UTF8), "xm");
}

TEST_F(Xml, EscapingOfValuesNullsAndControlCharacters) {
    EXPECT_EQ(XmlEscape("a<b&c\"d'>", CP_UTF8), "a&lt;b&amp;c&quot;d'&gt;");
    EXPECT_EQ(XmlEscape("l1\r\nl2\tx\x01y", CP_UTF8), "l1&#13;&#10;l2&#9;x\xEF\xBF\xBDy");
    EXPECT_EQ(XmlEscape("ok ü \xFF", CP_UTF8), "ok ü \xEF\xBF\xBD");
    EXPECT_EQ(XmlEscape("\xFC\x01", CP_WINDOWS1252), "\xFC?");
    ds.AppendRow({TMemValue{}, TMemValue{}});
    e.Formats().SetNullString("<n&a>");
    EXPECT_NE(Run().find("<ROW Name=\"&lt;n&amp;a&gt;\" Salary=\"&lt;n&amp;a&gt;\"/>"), std::string::npos);
}

// The ROW line of a one-column, one-row document in the given encoding.
class XmlEncodings : public ::testing::Test {
protected:
    void SetUp() override {
        ds.AddField("SIZE", TMemFieldType::String, 20).SetDisplayLabel("Größe東");
        ds.AppendRow({"é € 東 <"});
        ds.Open();
        e.SetDataSet(&ds);
        e.SetFileName(dir.File("out.xml"));
    }
    std::string Run(const std::string& encoding) {
        e.Options().SetEncoding(encoding);
        e.DoExecute();
        return ReadAll(dir.File("out.xml"));
    }
    std::string Row(const std::string& encoding) {
        const std::string out = Run(encoding);
        const size_t at = out.find("<ROW ");
        return out.substr(at, out.find("\r\n", at) - at);
    }
    TFormatSettingsScope locale{UsSettings()};
    TTempDir dir;
    TMemDataset ds;
    TIB_OstrelXML e;
};

TEST_F(XmlEncodings, BytesFollowTheDeclaredEncoding) {
    // UTF-8, however it is spelled, and no encoding keep the bytes.
    for (const char* utf8 : {"", "UTF-8", "utf8"}) EXPECT_EQ(Row(utf8), "<ROW Größe東=\"é € 東 &lt;\"/>") << utf8;
    // Names cannot hold references: what the encoding lacks becomes "_" there.
    EXPECT_EQ(Row("ISO-8859-1"), "<ROW Gr\xF6\xDF" "e_=\"\xE9 &#8364; &#26481; &lt;\"/>");
    EXPECT_EQ(Row("latin1"), "<ROW Gr\xF6\xDF" "e_=\"\xE9 &#8364; &#26481; &lt;\"/>");
    EXPECT_EQ(Row("ISO-8859-15"), "<ROW Gr\xF6\xDF" "e_=\"\xE9 \xA4 &#26481; &lt;\"/>");
    EXPECT_EQ(Row("windows-1252"), "<ROW Gr\xF6\xDF" "e_=\"\xE9 \x80 &#26481; &lt;\"/>");
    EXPECT_EQ(Row("US-ASCII"), "<ROW Gr__e_=\"&#233; &#8364; &#26481; &lt;\"/>");
    const std::string latin1 = Run("ISO-8859-1");
    EXPECT_EQ(latin1.substr(0, latin1.find("\r\n")), "<?xml version=\"1.0\" encoding=\"ISO-8859-1\" standalone=\"yes\"?>");
    EXPECT_NE(latin1.find("FieldName=\"SIZE\" DisplayLabel=\"Gr\xF6\xDF" "e&#26481;\""), std::string::npos);

    // A Windows-1252 code page declared as UTF-8 is converted as well.
    TFormatSettings s = UsSettings();
    s.CodePage = CP_WINDOWS1252;
    TFormatSettingsScope cp(s);
    TMemListView lv;
    lv.AddColumn("Gr\xF6\xDF" "e", 80);
    lv.AddItem("\xE9 \x80");
    e.SetExportSource(esListView);
    e.SetListView(&lv);
    EXPECT_EQ(Row("UTF-8"), "<ROW Größe=\"é €\"/>");
    EXPECT_EQ(Row(""), "<ROW Gr\xF6\xDF" "e=\"\xE9 \x80\"/>");
    EXPECT_EQ(Row("ISO-8859-1"), "<ROW Gr\xF6\xDF" "e=\"\xE9 &#8364;\"/>");
}

TEST_F(XmlEncodings, DeclarationsThatCannotBeWrittenAreRefusedBeforeTheFileExists) {
    const std::pair<const char*, const char*> refused[] = {
        {"UTF 8", "\"UTF 8\" is not a valid XML encoding name"},
        {"x\"?><a", "\"x\"?><a\" is not a valid XML encoding name"},
        {"8859-1", "\"8859-1\" is not a valid XML encoding name"},
        {"no-such-encoding", "The XML encoding no-such-encoding is not supported"},
        {"UTF-16", "The XML encoding UTF-16 cannot be written: it does not extend ASCII"},
    };
    for (const auto& [encoding, message] : refused) {
        e.SetFileName(dir.File("refused.xml"));
        try {
            Run(encoding);
            ADD_FAILURE() << encoding << " was written";
        } catch (const EOstrelError& error) {
            EXPECT_EQ(std::string(error.what()), message);
        }
        EXPECT_FALSE(std::ifstream(dir.File("refused.xml")).good()) << encoding;
    }
    e.Options().SetVersion("1.0\"?><a");
    EXPECT_THROW(Run(""), EOstrelError);
    e.Options().SetVersion("1.1");
    EXPECT_NO_THROW(Run(""));
}

TEST_F(Xml, StoppedAndFailedRunsStillCloseTheDocument) {
    e.OnBeginExport = [&](TObject*) {};
    int rows = 0;
    e.OnGetExportText = [&](TObject*, int, std::string&) {
        if (++rows == 3) throw EOstrelError("boom");
    };
    EXPECT_THROW(Run(), EOstrelError);
    EXPECT_FALSE(std::filesystem::exists(dir.File("out.xml")));  // a failed run leaves no file
    // The document itself was still closed: the same failing run into memory.
    struct TMemoryXML : TIB_OstrelXML {
        using TIB_OstrelXML::ExportToStream;
    } m;
    m.SetDataSet(&ds);
    m.OnGetExportText = e.OnGetExportText;
    rows = 0;
    TMemoryStream memory;
    EXPECT_THROW(m.ExportToStream(memory), EOstrelError);
    const std::string out = memory.Text();
    EXPECT_EQ(out.substr(out.size() - 27), "</ROWDATA>\r\n</DATAPACKET>\r\n");
}

}  // namespace
}  // namespace ostrel::test
