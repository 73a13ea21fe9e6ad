// Replaceable services of the desktop: the shell's "open" and "print", the clipboard, and
// screen font metrics. Each has a headless default; the Qt layer and tests install their own.
#pragma once

#include <memory>
#include <string>

#include "platform/Graphics.h"

namespace ostrel {

class IShellService {
public:
    virtual ~IShellService() = default;
    // Performs a verb ("open", "print") on a file; the result is not reported.
    virtual void Perform(const std::string& verb, const std::string& fileName) = 0;
};

class IClipboardService {
public:
    virtual ~IClipboardService() = default;
    // Replaces the clipboard's text; fails with a message when no clipboard can be reached.
    virtual void SetText(const std::string& text) = 0;
    virtual std::string GetText() = 0;
};

class IFontMetrics {
public:
    virtual ~IFontMetrics() = default;
    // The width in pixels of a text drawn in the font on the screen.
    virtual int TextWidth(const TFont& font, const std::string& text) = 0;
};

IShellService& ShellService();
IClipboardService& ClipboardService();
IFontMetrics& FontMetrics();
// Passing nullptr restores the default.
void SetShellService(std::shared_ptr<IShellService> service);
void SetClipboardService(std::shared_ptr<IClipboardService> service);
void SetFontMetrics(std::shared_ptr<IFontMetrics> service);

// The defaults, usable on their own.
// xdg-open for "open", lp for "print", started detached.
class TDesktopShell : public IShellService {
public:
    void Perform(const std::string& verb, const std::string& fileName) override;
};

// wl-copy, xclip or xsel, whichever is installed and has a display to talk to.
class TCommandClipboard : public IClipboardService {
public:
    void SetText(const std::string& text) override;
    std::string GetText() override;
};

// Average character widths of common fonts at 96 dpi: a documented approximation for
// programs without a display. Proportional fonts use per-class widths relative to the em
// (capitals 0.67, digits 0.556, lower case 0.5, narrow letters and punctuation 0.28, m and w
// 0.83, blank 0.278); monospaced fonts (Courier, "Mono") 0.6 for every character; serif
// fonts (Times, "Serif") 0.92 of the proportional widths; bold adds 6%.
class TApproximateFontMetrics : public IFontMetrics {
public:
    int TextWidth(const TFont& font, const std::string& text) override;
};

}  // namespace ostrel
