// The built-in colour templates of the HTML exporter.
#pragma once

#include <string>

#include "platform/Graphics.h"

namespace ostrel {

enum THTMLTemplate : int {
    htCustom = 0,
    htBW = 1,
    htClassic = 2,
    htColorFul = 3,
    htGray = 4,
    htMS_Money = 5,
    htMurky = 6,
    htOlive = 7,
    htPlain = 8,
    htSimple = 9
};

// "Custom", "Black&White", "Classic", ... in enumeration order.
extern const char* const HTMLTemplateNames[10];

struct RHTMLTemplate {
    TColor BackgroundColor, LinkColor, VLinkColor, ALinkColor, FontColor;
    const char* FontName;
    TColor HeadersRowBgColor, HeadersRowFontColor, TableBgColor, TableFontColor, OddRowBgColor;
};

// The record of a template other than htCustom.
const RHTMLTemplate& HTMLTemplateRecord(THTMLTemplate templ);

// A colour from its HTML text #RRGGBB.
constexpr TColor HtmlRGB(unsigned rgb) {
    return static_cast<TColor>(((rgb >> 16) & 0xFF) | (rgb & 0xFF00) | ((rgb & 0xFF) << 16));
}

}  // namespace ostrel
