// The desktop services of a Qt application: the clipboard, the shell's "open" and "print",
// and font metrics measured by Qt, with the conversions between our texts and fonts and Qt's.
#pragma once

#include <QtCore/qtconfigmacros.h>

#include <string>

#include "platform/Graphics.h"
#include "platform/Services.h"

QT_BEGIN_NAMESPACE
class QFont;
class QString;
QT_END_NAMESPACE

namespace ostrel::qt {

// Texts are in the process code page (UTF-8, or Windows-1252 when the format settings say so).
QString ToQString(const std::string& text);
std::string FromQString(const QString& text);

// Family, point size and styles; colour and character set have no place in a QFont.
QFont ToQFont(const TFont& font);
// The colour and character set keep TFont's defaults.
TFont FromQFont(const QFont& font);

// The application's clipboard; needs a QGuiApplication.
class TQtClipboard : public IClipboardService {
public:
    void SetText(const std::string& text) override;
    std::string GetText() override;
};

// "open" through the desktop's file associations; everything else (printing has no Qt
// equivalent) through the headless shell.
class TQtShell : public IShellService {
public:
    void Perform(const std::string& verb, const std::string& fileName) override;
};

// Widths as Qt lays the text out on the screen.
class TQtFontMetrics : public IFontMetrics {
public:
    int TextWidth(const TFont& font, const std::string& text) override;
};

// Installs the three services above; call once a QApplication exists.
void InstallQtServices();

}  // namespace ostrel::qt
