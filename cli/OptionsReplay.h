// Replays an options file saved from the export dialog: the settings model filled from a
// component on the command line's source, as the window fills itself, the file loaded into it,
// the options the command line gave over it, and the copy into the embedded exporter that
// "Start Export" runs. The file and the command line meet only here.
#pragma once

#include <string>
#include <vector>

#include "cli/Options.h"
#include "dialog/DialogExporters.h"
#include "dialog/DialogSettings.h"

namespace ostrel::cli {

// The dialog's export-type code of a format name of the command line ("word": Word); -1 when
// the name is none.
int ExportTypeOfFormat(const std::string& format);
// The command line's name of an export-type code.
const std::string& FormatOfExportType(int exportType);

// The names of the component's dialog columns: what the override options may name.
std::vector<std::string> DialogColumnNames(const TIB_OstrelDialog& component);

// The command line's options that the dialog has a setting for, into the settings model, after
// the load and before the copy. `exportType` is the type --format asks for (-1: the file's); it
// is chosen first, as a click on its button would be, so the file name takes its extension.
// Names in the options must be the component's dialog columns (checked before).
void OverrideSettings(TOstrelDialogSettings& settings, TOstrelDialogExporters& exporters,
                      const TIB_OstrelDialog& component, const TCliOptions& options, int exportType);

// The options the dialog has no setting for, into the exporter the copy returned; also keeps the
// exporter from opening or printing the file, which a command line never wants.
void OverrideExporter(TIB_Ostrel& exporter, const TOstrelDialogSettings& settings,
                      const TIB_OstrelDialog& component, const TCliOptions& options);

}  // namespace ostrel::cli
