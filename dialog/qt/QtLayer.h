// Starting the Qt layer: the Qt clipboard, shell and font-metrics services replace the headless
// ones, and the export dialog component shows its window through Qt.
#pragma once

namespace ostrel::qt {

// Call once a QApplication exists.
void InitializeQtLayer();

}  // namespace ostrel::qt
