#include "dialog/qt/QtLayer.h"

namespace ostrel::qt {
void InitializeQtLayer() {}
}  // namespace ostrel::qt
