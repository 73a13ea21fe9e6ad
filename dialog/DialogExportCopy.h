// What "Start Export" does before the run: it picks the embedded exporter of the chosen export
// type and copies every setting of the dialog into it, so that a second run from the same window
// overwrites all that a first run left there.
#pragma once

#include <string>

#include "dialog/DialogExporters.h"
#include "dialog/DialogSettings.h"
#include "dialog/IB_OstrelDialog.h"

namespace ostrel {

// The embedded exporter that writes an export type (Word and RTF share one, and so do the four
// plain-text types). Fails with std::out_of_range for a code that is no export type.
TIB_Ostrel& ExporterOfType(TOstrelDialogExporters& exporters, int exportType);

// The SQL table name a file name gives: no directory, no extension, upper case.
std::string TableNameOfFile(const std::string& fileName);

// Chooses the exporter of `exportType`, copies the type's own settings into it, then the common
// ones; returns it. The source and its two source options come from the component.
TIB_Ostrel& CopySettingsToExporter(TOstrelDialogSettings& settings, TOstrelDialogExporters& exporters,
                                   const TIB_OstrelDialog& component, int exportType);

}  // namespace ostrel
