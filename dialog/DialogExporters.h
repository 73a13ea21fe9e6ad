// The exporters a dialog window embeds, one of each kind, with the option values they are
// designed with: the starting values of the format option pages, and what runs the export.
#pragma once

#include "exporters/sheet/IB_OstrelDBF.h"
#include "exporters/sheet/IB_OstrelXLS.h"
#include "exporters/text/IB_OstrelASCII.h"
#include "exporters/text/IB_OstrelClipboard.h"
#include "exporters/text/IB_OstrelHTML.h"
#include "exporters/text/IB_OstrelLaTeX.h"
#include "exporters/text/IB_OstrelRTF.h"
#include "exporters/text/IB_OstrelSQL.h"
#include "exporters/text/IB_OstrelXML.h"

namespace ostrel {

struct TOstrelDialogExporters {
    TOstrelDialogExporters();

    TIB_OstrelXLS XLSExp;
    TIB_OstrelRTF RTFExp;
    TIB_OstrelHTML HTMLExp;
    TIB_OstrelXML XMLExp;
    TIB_OstrelDBF DBFExp;
    TIB_OstrelASCII ASCIIExp;
    TIB_OstrelSQL SQLExp;
    TIB_OstrelLaTeX LaTeXExp;
    TIB_OstrelClipboard ClipExp;
};

}  // namespace ostrel
