#include "dialog/qt/QtServices.h"

#include <QClipboard>
#include <QDesktopServices>
#include <QFile>
#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QUrl>

#include "platform/CodePage.h"
#include "platform/Errors.h"

namespace ostrel::qt {

QString ToQString(const std::string& text) { return QString::fromStdU16String(ToUtf16(text)); }

std::string FromQString(const QString& text) { return FromUtf16(text.toStdU16String()); }

QFont ToQFont(const TFont& font) {
    QFont out(ToQString(font.Name));
    if (font.Size > 0) out.setPointSize(font.Size);
    out.setBold(font.Style & fsBold);
    out.setItalic(font.Style & fsItalic);
    out.setUnderline(font.Style & fsUnderline);
    out.setStrikeOut(font.Style & fsStrikeOut);
    return out;
}

TFont FromQFont(const QFont& font) {
    TFont out;
    out.Name = FromQString(font.family());
    // A font sized in pixels has no point size; the screen is taken at 96 dpi, as TFont does.
    out.Size = font.pointSize() > 0 ? font.pointSize() : (font.pixelSize() * 72 + 48) / 96;
    const auto style = [](bool on, TFontStyle s) { return on ? TFontStyles(s) : TFontStyles(0); };
    out.Style = style(font.bold(), fsBold) | style(font.italic(), fsItalic) | style(font.underline(), fsUnderline) |
                style(font.strikeOut(), fsStrikeOut);
    return out;
}

namespace {

QClipboard& Clipboard() {
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        throw EOstrelError("The clipboard needs a running Qt application");
    return *QGuiApplication::clipboard();
}

}  // namespace

void TQtClipboard::SetText(const std::string& text) { Clipboard().setText(ToQString(text)); }

std::string TQtClipboard::GetText() { return FromQString(Clipboard().text()); }

void TQtShell::Perform(const std::string& verb, const std::string& fileName) {
    if (verb == "open") {
        // File names are bytes of the file system, not texts of the code page.
        QDesktopServices::openUrl(QUrl::fromLocalFile(QFile::decodeName(QByteArray::fromStdString(fileName))));
        return;
    }
    TDesktopShell().Perform(verb, fileName);
}

int TQtFontMetrics::TextWidth(const TFont& font, const std::string& text) {
    return QFontMetrics(ToQFont(font)).horizontalAdvance(ToQString(text));
}

void InstallQtServices() {
    SetClipboardService(std::make_shared<TQtClipboard>());
    SetShellService(std::make_shared<TQtShell>());
    SetFontMetrics(std::make_shared<TQtFontMetrics>());
}

}  // namespace ostrel::qt
