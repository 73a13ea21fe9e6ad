#include "exporters/text/IB_OstrelXML.h"

#include <unordered_set>

#include "exporters/text/XmlText.h"
#include "platform/Errors.h"
#include "platform/FormatSettings.h"

namespace ostrel {

void TOXMLWriter::WriteTag(const std::string& line) {
    if (FEncoder && !FEncoder->PassesThrough()) WriteLn(FEncoder->Encode(line));
    else WriteLn(line);
}

void TOXMLWriter::OpenTag(const std::string& name, const std::string& attributes) {
    WriteTag(attributes.empty() ? "<" + name + ">" : "<" + name + " " + attributes + ">");
}

void TOXMLWriter::CloseTag(const std::string& name) { WriteTag("</" + name + ">"); }

void TOXMLWriter::EmptyTag(const std::string& name, const std::string& attributes) {
    WriteTag("<" + name + " " + attributes + "/>");
}

namespace {

// VersionNum of the XML declaration: "1." and digits.
bool IsXmlVersion(const std::string& version) {
    if (version.size() < 3 || version.compare(0, 2, "1.") != 0) return false;
    return version.find_first_not_of("0123456789", 2) == std::string::npos;
}

}  // namespace

std::unique_ptr<TXmlEncoder> TIB_OstrelXML::CheckedEncoder() {
    if (!IsXmlVersion(FOptions.Version()))
        throw EOstrelError("\"" + FOptions.Version() + "\" is not a valid XML version");
    return std::make_unique<TXmlEncoder>(FOptions.Encoding(), FormatSettings().CodePage);
}

void TIB_OstrelXML::DoExecute() {
    CheckedEncoder();
    TIB_OstrelText::DoExecute();
}

void TIB_OstrelXML::BeginExport() {
    TIB_OstrelText::BeginExport();
    FormatInPlace(NoteOwnClass<TIB_OstrelXML>());
    FEncoder = CheckedEncoder();
    XmlWriter().SetEncoder(FEncoder.get());
    const int codePage = FormatSettings().CodePage;
    // Without an explicit encoding the declaration must still name what the bytes are.
    std::string encoding = FOptions.Encoding();
    if (encoding.empty() && codePage != CP_UTF8) encoding = XmlEncodingName(codePage);
    const std::string encodingText = encoding.empty() ? "" : "encoding=\"" + encoding + "\" ";
    Writer()->WriteLn("<?xml version=\"" + FOptions.Version() + "\" " + encodingText + "standalone=\"" +
                      (FOptions.StandAlone() ? "yes" : "no") + "\"?>");
    Writer()->WriteLn("<DATAPACKET Version=\"2.0\">");
    FDocumentOpen = true;
    FRowDataOpen = false;

    // Captions become attribute names: valid ones stay as they are, others are mended, and
    // repeated names get a number so that no element has the same attribute twice.
    FAttributeNames.clear();
    FAttributeOpens.clear();
    std::unordered_set<std::string> used;
    for (int i = 0; i < Columns().Count(); ++i) {
        const std::string base =
            XmlNameOf(Columns()[i].Caption, codePage, [&](char32_t c) { return FEncoder->Holds(c); });
        std::string name = base;
        for (int n = 2; !used.insert(name).second; ++n) name = base + "_" + std::to_string(n);
        FAttributeNames.push_back(name);
        FAttributeOpens.push_back(name + "=\"");
    }
}

void TIB_OstrelXML::WriteCaptionRow() {
    TOXMLWriter& w = XmlWriter();
    w.OpenTag("METADATA", "");
    w.OpenTag("FIELDS", "");
    for (int i = 0; i < Columns().Count(); ++i) w.EmptyTag("FIELD", GetColCaption(i));
    w.CloseTag("FIELDS");
    w.CloseTag("METADATA");
}

std::string TIB_OstrelXML::GetColCaption(int Index) {
    const TOstrelColumn& c = Columns()[Index];
    return "FieldName=\"" + ReplaceSpecialChars(c.Name) + "\" DisplayLabel=\"" + ReplaceSpecialChars(c.Caption) +
           "\" FieldType=\"" + ColTypeName(c.ColType) + "\" FieldClass=\"TField\"";
}

void TIB_OstrelXML::BeforeExport() {
    XmlWriter().OpenTag("ROWDATA", "");
    FRowDataOpen = true;
}

void TIB_OstrelXML::CloseDocument() {
    if (FRowDataOpen) XmlWriter().CloseTag("ROWDATA");
    if (FDocumentOpen) Writer()->WriteLn("</DATAPACKET>");
    FRowDataOpen = FDocumentOpen = false;
}

void TIB_OstrelXML::AfterExport() {
    CloseDocument();
    TIB_OstrelText::AfterExport();
}

void TIB_OstrelXML::EndExport() {
    // A run that stopped or failed before the end of the rows still gets a closed document.
    CloseDocument();
    TIB_OstrelText::EndExport();
}

std::string TIB_OstrelXML::GetDataRow(bool Formatted) {
    std::string row;
    for (int i = 0; i < Columns().Count(); ++i) {
        row += FAttributeNames[i] + "=\"" + GetColData(i, Formatted) + "\" ";
    }
    if (!row.empty()) row.pop_back();
    return row;
}

void TIB_OstrelXML::WriteDataRow() {
    if (!FastRows<TIB_OstrelXML>()) return XmlWriter().EmptyTag("ROW", GetDataRow(true));
    // EmptyTag("ROW", GetDataRow(true)) built in one buffer.
    FRow = "<ROW ";
    const size_t start = FRow.size();
    const int count = Columns().Count();
    for (int i = 0; i < count; ++i) {
        FRow += FAttributeOpens[static_cast<size_t>(i)];
        AppendAttributeValue(FRow, i, true);
        FRow.append("\" ", 2);
    }
    if (FRow.size() > start) FRow.pop_back();
    FRow += "/>";
    XmlWriter().WriteTag(FRow);
}

std::string TIB_OstrelXML::GetColData(int Index, bool Formatted) {
    std::string text;
    AppendAttributeValue(text, Index, Formatted);
    return text;
}

void TIB_OstrelXML::AppendAttributeValue(std::string& out, int Index, bool Formatted) {
    const size_t start = out.size();
    if (AppendExportTextWith(out, Index, Formatted, TOwnEscape{{*this}})) return;
    // The engine leaves NULL texts, Booleans and raw values unescaped; an attribute needs them
    // escaped as well.
    EscapeAppendedText(out, start);
}

TCharSet TIB_OstrelXML::GetSpecialChars() {
    static const TCharSet set = CharSetOf("\"&<>");
    return set;
}

std::string TIB_OstrelXML::ReplaceSpecialChars(const std::string& Text) {
    return XmlEscape(Text, FormatSettings().CodePage);
}

void TIB_OstrelXML::EscapeAppended(std::string& out, size_t start) {
    // A plain number or date is its own escaping.
    TMarkupEscape{*this}.Formatted(out, start);
}

void TIB_OstrelXML::AppendSpecialChars(std::string& out, std::string_view Text) {
    // A descendant's own ReplaceSpecialChars is honoured.
    if (typeid(*this) != typeid(TIB_OstrelXML)) return TIB_OstrelText::AppendSpecialChars(out, Text);
    AppendXmlEscape(out, Text, FormatSettings().CodePage);
}

}  // namespace ostrel
