// Pictures of windows for the documentation and the tests: the window as drawn, under a plain
// title bar that carries its caption (a grab shows the client area only, and the caption is
// part of what a window says).
#pragma once

#include <QImage>

class QWidget;

namespace ostrel::qt {

constexpr int kTitleBarHeight = 24;

// Shows the window off screen when it is not shown, lets its layouts settle, and draws it with
// its title bar.
QImage WindowPicture(QWidget& window);

}  // namespace ostrel::qt
