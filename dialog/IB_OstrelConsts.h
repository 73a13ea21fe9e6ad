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
    X(sRemoveAllFields, "<<")                                                                   \
    /* formats page */                                                                          \
    X(sCommonGroup, "Common")                                                                   \
    X(sIntegerFormat, "Integer Format")                                                         \
    X(sFloatFormat, "Float Format")                                                             \
    X(sDateFormat, "Date Format")                                                               \
    X(sTimeFormat, "Time Format")                                                               \
    X(sDateTimeFormat, "DateTime Format")                                                       \
    X(sCurrencyFormat, "Currency Format")                                                       \
    X(sBooleanTrue, "Boolean true")                                                             \
    X(sBooleanFalse, "Boolean false")                                                           \
    X(sNullString, "Null string")                                                               \
    X(sUserGroup, "User")                                                                       \
    X(sEquals, "=")                                                                             \
    X(sAddFormat, "Add")                                                                        \
    X(sEditFormat, "Edit")                                                                      \
    X(sDeleteFormat, "Delete")                                                                  \
    X(sClearFormats, "Clear")                                                                   \
    X(sNewFormatValue, "New format value")                                                      \
    X(sEnterValue, "Enter Value:")                                                              \
    /* header and footer, captions */                                                           \
    X(sHeaderText, "Header text:")                                                              \
    X(sFooterText, "Footer text:")                                                              \
    X(sAllowCaptions, "Allow captions")                                                         \
    X(sCaptionsPageCaption, "Caption")                                                          \
    X(sCaptionsPageAnd, " && ")                                                                 \
    X(sCaptionsPageWidth, "Width")                                                              \
    X(sCaptionsPageAlign, "Align")                                                              \
    X(sFieldNameHeader, "Field name")                                                           \
    X(sCaptionHeader, "Caption")                                                                \
    X(sWidthHeader, "Width")                                                                    \
    X(sAlignHeader, "Align")                                                                    \
    X(sAlignNone, "None")                                                                       \
    X(sAlignLeft, "Left")                                                                       \
    X(sAlignCenter, "Center")                                                                   \
    X(sAlignRight, "Right")                                                                     \
    X(sNotAnInteger, "'%s' is not a valid integer value")                                       \
    /* word / RTF */                                                                            \
    X(sPageOrientation, " Page Orientation ")                                                   \
    X(sPortrait, "Portrait")                                                                    \
    X(sLandscape, "Landscape")                                                                  \
    X(sDefaultFont, "Default font")                                                             \
    X(sRowHeaderFont, "Row header font")                                                        \
    X(sFontSample, "AaBbCc XxYyZz")                                                             \
    /* XML */                                                                                   \
    X(sStandalone, "Standalone")                                                                \
    X(sEncoding, "Encoding")                                                                    \
    /* SQL */                                                                                   \
    X(sTableOptionsGroup, "Table options")                                                      \
    X(sCreateTable, "Add \"Create Table\" statement")                                           \
    X(sTableName, "Table name")                                                                 \
    X(sCommitOptionsGroup, "Commit options")                                                    \
    X(sCommitAfter, "Commit after")                                                             \
    X(sRecordsPlural, "record(s)")                                                              \
    X(sCommitAfterScript, "Commit after script")                                                \
    X(sCommitStatement, "Commit statement")                                                     \
    X(sOtherOptionsGroup, "Other Options")                                                      \
    X(sExportNullAs, "Export null values as")                                                   \
    X(sStatementTerm, "Statement term")                                                         \
    /* ASCII */                                                                                 \
    X(sTXTOptionsGroup, " TXT Options ")                                                        \
    X(sCalcColumnWidth, "Calculate column width")                                               \
    X(sSpacing, "Spacing")                                                                      \
    X(sCSVOptionsGroup, " CSV Options ")                                                        \
    X(sQuoteStrings, "Quote strings")                                                           \
    X(sComma, "Comma")                                                                          \
    /* HTML */                                                                                  \
    X(sHTMLPreview, "&Preview")                                                                 \
    X(sHTMLBasic, "&Basic")                                                                     \
    X(sHTMLAdvanced, "&Advanced")                                                               \
    X(sTemplate, "Template")                                                                    \
    X(sSaveAsTemplate, "Save as template...")                                                   \
    X(sLoadTemplate, "Load template...")                                                        \
    X(sTemplateCustom, "Custom")                                                                \
    X(sDefaultText, "Default text")                                                             \
    X(sPreviewNum, "Num")                                                                       \
    X(sPreviewName, "Name")                                                                     \
    X(sPreviewAge, "Age")                                                                       \
    X(sNonVisitedLink, "Non-visited link")                                                      \
    X(sVisitedLink, "Visited link")                                                             \
    X(sActiveLink, "Active link")                                                               \
    X(sHintFontColor, "Click here for default font color select")                               \
    X(sHintHeaderColor, "Click here for header row color select")                               \
    X(sHintOddRowColor, "Click for odd row color change")                                       \
    X(sHintEvenRowColor, "Click for even row color change")                                     \
    X(sHintTableFont, "Click here to table font change")                                        \
    X(sHintLinkColor, "Click here for non-visited link color select")                           \
    X(sHintVLinkColor, "Click here for visited link color select")                              \
    X(sHintALinkColor, "Click here for active link color select")                               \
    X(sLoadTemplateTitle, "Load HTML template")                                                 \
    X(sSaveTemplateTitle, "Save as HTML template")                                              \
    X(sTemplateFilter, "HTML template file (*.htf)|*.htf")                                      \
    X(sHTMLTitle, "Title")                                                                      \
    X(sCSSGroup, "Cascade Style Sheets using")                                                  \
    X(sCSSInternal, "Internal")                                                                 \
    X(sCSSExternal, "External")                                                                 \
    X(sCSSFileName, "CSS file name")                                                            \
    X(sBrowse, "...")                                                                           \
    X(sCSSFilter, "Style sheets files (*.css)|*.css|All F\\files (*.*)|*.*")                    \
    X(sMultiFileGroup, "Multi-file export")                                                     \
    X(sUseMultiFile, "Use multi-file export")                                                   \
    X(sMaximum, "Maximum")                                                                      \
    X(sRecordsInSingleFile, "record(s) in single file")                                         \
    X(sGenerateIndex, "Generate index")                                                         \
    X(sBodyOptionsGroup, "Body options")                                                        \
    X(sFontName, "Font name")                                                                   \
    X(sBackground, "Background")                                                                \
    X(sAdvancedAttributes, "Advanced attributes")                                               \
    X(sHTMLTableOptionsGroup, "Table options")                                                  \
    X(sCellPadding, "Cell padding")                                                             \
    X(sCellSpacing, "Cell spacing")                                                             \
    X(sBorder, "Border")                                                                        \
    X(sPictureFilter,                                                                           \
      "All (*.gif;*.jpg;*.jpeg;*.bmp)|*.gif;*.jpg;*.jpeg;*.bmp;|CompuServe GIF Image "          \
      "(*.gif)|*.gif|JPEG Image File (*.jpg)|*.jpg|JPEG Image File (*.jpeg)|*.jpeg|Bitmaps "    \
      "(*.bmp)|*.bmp")                                                                          \
    /* Excel page */                                                                            \
    X(sXLSDataFormat, "&Data format")                                                           \
    X(sXLSAdvanced, "A&dvanced")                                                                \
    X(sXLSResetItem, "Reset item")                                                              \
    X(sXLSResetSelected, "Reset selected")                                                      \
    X(sXLSResetAll, "Reset all")                                                                \
    X(sXLSSampleCell, "  Sample cell")                                                          \
    X(sXLSSampleText, "Aa Zz")                                                                  \
    X(sXLSFontPage, "&Font")                                                                    \
    X(sXLSBordersPage, "&Borders")                                                              \
    X(sXLSFillPage, "F&ill")                                                                    \
    X(sXLSAggregatePage, "&Aggregate")                                                          \
    X(sXLSFont, "Font")                                                                         \
    X(sXLSSize, "Size")                                                                         \
    X(sXLSAggregate, "Aggregate")                                                               \
    X(sXLSAggNone, "None")                                                                      \
    X(sXLSAggSum, "SUM")                                                                        \
    X(sXLSAggAvg, "AVG")                                                                        \
    X(sXLSAggMin, "MIN")                                                                        \
    X(sXLSAggMax, "MAX")                                                                        \
    X(sXLSHintFontColor, "Font color")                                                          \
    X(sXLSHintBold, "Bold")                                                                     \
    X(sXLSHintItalic, "Italic")                                                                 \
    X(sXLSHintStrikeOut, "Strike Out")                                                          \
    X(sXLSHintUnderlineSingle, "Underline single")                                              \
    X(sXLSHintUnderlineSingleAccounting, "Underline single accounting")                         \
    X(sXLSHintUnderlineDouble, "Underline double")                                              \
    X(sXLSHintUnderlineDoubleAccounting, "Underline double accounting")                         \
    X(sXLSHintLeft, "Left")                                                                     \
    X(sXLSHintCenter, "Center")                                                                 \
    X(sXLSHintRight, "Right")                                                                   \
    X(sXLSHintFill, "Fill")                                                                     \
    X(sXLSHintTop, "Top")                                                                       \
    X(sXLSHintMiddle, "Center")                                                                 \
    X(sXLSHintBottom, "Bottom")                                                                 \
    X(sXLSHintTopBorder, "Top border")                                                          \
    X(sXLSHintBottomBorder, "Bottom border")                                                    \
    X(sXLSHintLeftBorder, "Left border")                                                        \
    X(sXLSHintRightBorder, "Right border")                                                      \
    X(sXLSHintTopBorderColor, "Top border color")                                               \
    X(sXLSHintBottomBorderColor, "Bottom border color")                                         \
    X(sXLSHintLeftBorderColor, "Left border color")                                             \
    X(sXLSHintRightBorderColor, "Right border color")                                           \
    X(sXLSHintBackgroundColor, "Background color")                                              \
    X(sXLSHintForegroundColor, "Foreground color")                                              \
    X(sXLSNone, "None")                                                                         \
    X(sXLSPageHeader, "Page header")                                                            \
    X(sXLSPageFooter, "Page footer")                                                            \
    X(sXLSSheetTitle, "Sheet title")                                                            \
    X(sXLSResetAllQuestion, "All field formats will be reset the default values.\r\nAre you sure?") \
    X(sXLSResetAllTitle, "Attention!")                                                          \
    /* colour picker */                                                                         \
    X(sChooseColorCaption, "Choose a color")                                                    \
    X(sOK, "OK")                                                                                \
    X(sCancel, "Cancel")                                                                        \
    /* running the export and the progress window */                                            \
    X(sAbortQuestion, "Do you want to abort export?")                                           \
    X(sAbortTitle, "Are you sure?")                                                             \
    X(sProgressCaption, "Exporting...")                                                         \
    X(sProgressStatus, "Status")                                                                \
    X(sProgressTime, "Time")                                                                    \
    X(sProgressSpeed, "Speed")                                                                  \
    X(sProgressSpeedValue, "%d rows/sec")                                                       \
    X(sStatePreparing, "Preparing...")                                                          \
    X(sStateSkipping, "Skipping...")                                                            \
    X(sStateFetching, "Fetching...")                                                            \
    X(sStateExporting, "Exporting...")                                                          \
    X(sStatePaused, "Pause")                                                                    \
    X(sStateAborted, "Aborted")                                                                 \
    X(sStateFinished, "Finished")                                                               \
    X(sCounterSkipped, "Skipped")                                                               \
    X(sCounterFetched, "Fetched")                                                               \
    X(sCounterExported, "Exported")

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
