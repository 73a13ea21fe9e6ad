// XML data packets: a METADATA section describing the columns and one ROW element per record.
//
// The document is well formed whatever the data holds:
// - Options.Encoding is the declared encoding and the bytes are written in it: text of the
//   process code page is converted, and characters the encoding lacks are written as character
//   references (&#NNN;). An empty encoding keeps the process code page's bytes (declared when it
//   is not UTF-8). A name that is no XML encoding name, or an encoding that cannot be written
//   (unknown, or not a superset of ASCII such as UTF-16), fails the run before the file is
//   created; so does a Version other than "1." and digits.
// - Captions become ROW attribute names: characters a name cannot hold (or the encoding lacks)
//   become "_", a name that cannot start so gets "_" in front, and repeated names get "_2",
//   "_3", ...
// - Values, field names and display labels are escaped; tab, CR and LF as &#9;, &#13;, &#10;
//   so that attribute normalisation keeps them. Other control characters, NUL included, and
//   broken UTF-8 cannot be carried by XML 1.0 at all and are written as U+FFFD ("?" in a
//   single-byte code page).
#pragma once

#include <memory>
#include <vector>

#include "exporters/text/XmlText.h"

#include "engine/IB_Ostrel.h"
#include "platform/FormatSettings.h"

namespace ostrel {

class TXMLOptions : public TObject {
public:
    const std::string& Version() const { return FVersion; }
    void SetVersion(const std::string& value) { FVersion = value; }
    const std::string& Encoding() const { return FEncoding; }
    void SetEncoding(const std::string& value) { FEncoding = value; }
    bool StandAlone() const { return FStandAlone; }
    void SetStandAlone(bool value) { FStandAlone = value; }
    void Assign(const TXMLOptions& source) { *this = source; }

private:
    std::string FVersion = "1.0";
    std::string FEncoding;
    bool FStandAlone = true;
};

class TOXMLWriter : public TOstrelWriter {
public:
    using TOstrelWriter::TOstrelWriter;
    void OpenTag(const std::string& name, const std::string& attributes);
    void CloseTag(const std::string& name);
    void EmptyTag(const std::string& name, const std::string& attributes);
    // A whole tag built by the caller.
    void WriteTag(const std::string& line);
    // Tags are written through the encoder when one is set (not owned).
    void SetEncoder(TXmlEncoder* encoder) { FEncoder = encoder; }

private:
    TXmlEncoder* FEncoder = nullptr;
};

class TIB_OstrelXML : public TIB_OstrelText {
public:
    using TIB_OstrelText::TIB_OstrelText;
    using TIB_Ostrel::Captions;
    using TIB_Ostrel::Formats;
    using TIB_Ostrel::SetCaptions;
    using TIB_Ostrel::SetFormats;
    using TIB_Ostrel::SetUserFormats;
    using TIB_Ostrel::UserFormats;
    TXMLOptions& Options() { return FOptions; }
    void SetOptions(const TXMLOptions& value) { FOptions.Assign(value); }

    // Refuses a declaration it cannot write before the file is created.
    void DoExecute() override;

protected:
    TOstrelWriterClass GetWriterClass() override { return &CreateWriterOf<TOXMLWriter>; }
    void BeginExport() override;
    void BeforeExport() override;
    void AfterExport() override;
    void EndExport() override;
    void WriteCaptionRow() override;
    std::string GetDataRow(bool Formatted) override;
    void WriteDataRow() override;
    std::string GetColCaption(int Index) override;
    std::string GetColData(int Index, bool Formatted) override;
    TCharSet GetSpecialChars() override;
    std::string ReplaceSpecialChars(const std::string& Text) override;
    void AppendSpecialChars(std::string& out, std::string_view Text) override;
    void EscapeAppended(std::string& out, size_t start) override;

private:
    TOXMLWriter& XmlWriter() { return static_cast<TOXMLWriter&>(*Writer()); }
    void CloseDocument();
    // GetColData's attribute value appended to out.
    void AppendAttributeValue(std::string& out, int Index, bool Formatted);
    // This class's escaping of directly read values, without virtual calls.
    struct TOwnEscape : TMarkupEscape {
        void Text(std::string& out, std::string_view text) { AppendXmlEscape(out, text, FormatSettings().CodePage); }
    };

    // The encoder of the declared encoding; fails on one that cannot be written.
    std::unique_ptr<TXmlEncoder> CheckedEncoder();

    TXMLOptions FOptions;
    std::unique_ptr<TXmlEncoder> FEncoder;
    std::vector<std::string> FAttributeNames;  // one valid, distinct name per column
    std::vector<std::string> FAttributeOpens;  // the same with =" after it, as rows write it
    std::string FRow;  // the fast rows' buffer
    bool FRowDataOpen = false;
    bool FDocumentOpen = false;
};

}  // namespace ostrel
