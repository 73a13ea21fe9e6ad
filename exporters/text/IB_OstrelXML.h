// XML data packets: a METADATA section describing the columns and one ROW element per record.
#pragma once

#include <vector>

#include "engine/IB_Ostrel.h"

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

private:
    TOXMLWriter& XmlWriter() { return static_cast<TOXMLWriter&>(*Writer()); }
    void CloseDocument();

    TXMLOptions FOptions;
    std::vector<std::string> FAttributeNames;  // one valid, distinct name per column
    bool FRowDataOpen = false;
    bool FDocumentOpen = false;
};

}  // namespace ostrel
