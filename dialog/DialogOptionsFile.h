// The dialog's options file: the user's choices written to an INI file and read back, so that
// several export set-ups can be kept and a host can have the dialog remember the last one.
// Only the current export type's own options are stored; loading never changes the component.
#pragma once

#include <string>

namespace ostrel {

class TOstrelDialogSettings;
struct TOstrelDialogExporters;
class TIB_OstrelDialog;

class TOstrelOptionsFile {
public:
    // `dialog` gives the read defaults named "component"; `exporters` those of the option pages
    // and receives the RTF fonts.
    TOstrelOptionsFile(TOstrelDialogSettings& settings, TOstrelDialogExporters& exporters,
                       const TIB_OstrelDialog& dialog)
        : FSettings(settings), FExporters(exporters), FDialog(dialog) {}

    // Each write reaches the file at once; a refused one fails with "Unable to write to %s"
    // and what was written before stays. A width cell that is no number fails with
    // "'%s' is not a valid integer value".
    void Save(const std::string& fileName);
    // A missing file reads as an empty one. A colour text that is neither a name nor a number
    // ends the load with "'%s' is not a valid integer value"; what was read before stays.
    void Load(const std::string& fileName);

private:
    TOstrelDialogSettings& FSettings;
    TOstrelDialogExporters& FExporters;
    const TIB_OstrelDialog& FDialog;
};

inline void SaveOptions(TOstrelDialogSettings& settings, TOstrelDialogExporters& exporters,
                        const TIB_OstrelDialog& dialog, const std::string& fileName) {
    TOstrelOptionsFile(settings, exporters, dialog).Save(fileName);
}

inline void LoadOptions(TOstrelDialogSettings& settings, TOstrelDialogExporters& exporters,
                        const TIB_OstrelDialog& dialog, const std::string& fileName) {
    TOstrelOptionsFile(settings, exporters, dialog).Load(fileName);
}

}  // namespace ostrel
