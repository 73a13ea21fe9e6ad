// The dialog's text table: every caption, message, filter and hint the dialog shows, in one
// place. A window takes its texts from here when it is created, so that a program may translate
// them (SetDialogText) before it opens the dialog.
#pragma once

#include <string>

namespace ostrel {

#define OSTREL_DIALOG_TEXTS(X)                                                                  \
    /* messages */                                                                              \
    X(sSourceNotAssigned, "Export source (%s) is not assigned")                                \
    X(sAllowedEmpty, "Property Allowed cannot be empty")                                       \
    X(sNoDialogWindow, "No dialog window can be shown: the user-interface layer is not started") \
    /* window frame and destination panel */                                                    \
    X(sDialogCaption, "Export dialog")                                                          \
    X(sDialogCaptionFile, "Export dialog -- Export to [%s]")                                    \
    X(sDestinationFile, "Destination file")                                                     \
    X(sSelect, "Select...")                                                                     \
    X(sOpenFileAfterExport, "Open file after export")                                           \
    X(sPrintFileAfterExport, "Print file after export")                                         \
    X(sStartExport, "&Start Export")                                                            \
    X(sClose, "&Close")                                                                         \
    /* pages, in their order */                                                                 \
    X(sPageExportType, "Export &Type")                                                          \
    X(sPageFields, "F&ields")                                                                   \
    X(sPageFormats, "&Formats")                                                                 \
    X(sPageHeaderFooter, "Hea&der && Footer")                                                   \
    X(sPageCaptions, "&Captions")                                                               \
    X(sPageRTF, "Word / RTF Options")                                                           \
    X(sPageXML, "XML Options")                                                                  \
    X(sPageSQL, "&SQL Options")                                                                 \
    X(sPageHTML, "&HTML Options")                                                               \
    X(sPageExcel, "&Excel Options")                                                             \
    X(sPageASCII, "ASCII Options")                                                              \
    /* export-type page */                                                                      \
    X(sSubPageFormats, " &Formats")                                                             \
    X(sSubPageOptions, "&Options")                                                              \
    X(sSaveOptions, "Save Export Options...")                                                   \
    X(sLoadOptions, "Load Export Options...")                                                   \
    X(sExportTo, " Export to ")                                                                 \
    X(sConstraints, " Constraints ")                                                            \
    X(sGoToFirstRecord, "Go to the first record")                                               \
    X(sSkip, "Skip")                                                                            \
    X(sRecords, "records")                                                                      \
    X(sExportAllRecords, "Export all records")                                                  \
    X(sExportOnly, "Export only")                                                               \
    X(sOptionsFilter, "Configuration files (*.cfg)|*.cfg|All files (*.*)|*.*")                  \
    /* export types, by code */                                                                 \
    X(sTypeXLS, "MS Excel")                                                                     \
    X(sTypeWord, "MS Word")                                                                     \
    X(sTypeRTF, "RTF")                                                                          \
    X(sTypeHTML, "HTML")                                                                        \
    X(sTypeXML, "XML")                                                                          \
    X(sTypeDBF, "DBF")                                                                          \
    X(sTypeTXT, "Text File")                                                                    \
    X(sTypeCSV, "CSV File")                                                                     \
    X(sTypeDIF, "DIF File")                                                                     \
    X(sTypeSYLK, "SYLK File")                                                                   \
    X(sTypeLaTeX, "LaTeX")                                                                      \
    X(sTypeSQL, "SQL")                                                                          \
    X(sTypeClipboard, "Windows Clipboard")                                                      \
    /* destination filters, by code (the clipboard has none) */                                 \
    X(sFilterXLS, "Microsoft Excel files (*.xls)|*.xls")                                        \
    X(sFilterWord, "Microsoft Word files (*.doc)|*.doc")                                        \
    X(sFilterRTF, "RTF files (*.rtf)|*.rtf")                                                    \
    X(sFilterHTML, "HTML files (*.html, *.htm)|*.html;*.htm")                                   \
    X(sFilterXML, "XML files (*.xml)|*.xml")                                                    \
    X(sFilterDBF, "DBF files (*.dbf)|*.dbf")                                                    \
    X(sFilterTXT, "Text files (*.txt)|*.txt")                                                   \
    X(sFilterCSV, "CSV files (*.csv)|*.csv")                                                    \
    X(sFilterDIF, "DIF files (*.dif)|*.dif")                                                    \
    X(sFilterSYLK, "SYLK files (*.slk)|*.slk")                                                  \
    X(sFilterLaTeX, "LaTeX files (*.tex)|*.tex")                                                \
    X(sFilterSQL, "SQL files (*.sql)|*.sql")                                                    \
    /* fields page */                                                                           \
    X(sAvailableFields, "Available fields:")                                                    \
    X(sExportedFieldsLabel, "Exported fields:")                                                 \
    X(sAddField, ">")                                                                           \
    X(sAddAllFields, ">>")                                                                      \
    X(sRemoveField, "<")                                                                        \
    X(sRemoveAllFields, "<<")

enum TDialogText : int {
#define OSTREL_TEXT_ID(id, text) id,
    OSTREL_DIALOG_TEXTS(OSTREL_TEXT_ID)
#undef OSTREL_TEXT_ID
        kDialogTextCount
};

// The current text of an entry.
const std::string& DialogText(TDialogText id);
// Replaces an entry, for windows created afterwards.
void SetDialogText(TDialogText id, const std::string& text);
// Every entry back to the built-in text.
void ResetDialogTexts();
// The name of an entry ("sDestinationFile"), for translation tables.
const char* DialogTextName(TDialogText id);

}  // namespace ostrel
