#include "dialog/DialogExporters.h"

#include "platform/FormatSettings.h"

namespace ostrel {

TOstrelDialogExporters::TOstrelDialogExporters() {
    // The HTML exporter is designed with the "Classic" choice but its own colours: choosing
    // the template it already has does not bring the template's colours.
    HTMLExp.SetHTMLTemplate(htClassic);
    THTMLOptions& page = HTMLExp.HTMLOptions();
    page.BackgroundColor = 0x993333;  // #333399
    page.TextFont.Color = clWhite;
    page.LinkColor = 0x7DEF69;  // #69EF7D
    page.VLinkColor = clFuchsia;
    page.ALinkColor = clLime;
    TTableOptions& table = HTMLExp.TableOptions();
    table.HeadersRowBgColor = clRed;
    table.HeadersRowFontColor = clWhite;
    table.OddRowBgColor = 0xCE6B00;  // #006BCE
    table.TableBgColor = 0xEC7A00;   // #007AEC
    table.TableFontColor = clWhite;
    HTMLExp.SetGenerateIndex(true);

    XMLExp.Options().SetStandAlone(true);
    XMLExp.Options().SetEncoding("");

    ASCIIExp.SetAutoCalcColWidth(true);
    ASCIIExp.SetTXTSpacing(1);
    ASCIIExp.SetCSVQuoteStrings(true);
    ASCIIExp.SetCSVComma(';');

    LaTeXExp.Options().SetDocumentParams("a4paper");
    // The rows' text is in the process's code page; a fixed one would declare an input
    // encoding that the bytes written do not have.
    LaTeXExp.Options().SetCodePage(FormatSettings().CodePage);
    LaTeXExp.Options().SetLanguages("english");

    ClipExp.SetSeparator(';');
    ClipExp.SetClipboardViewer("Clipbrd.exe");
}

}  // namespace ostrel
