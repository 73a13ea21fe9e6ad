#include "exporters/text/IB_OstrelHTMLTemplates.h"

namespace ostrel {

const char* const HTMLTemplateNames[10] = {"Custom", "Black&White", "Classic", "ColorFul", "Gray",
                                           "MS_Money", "Murky", "Olive", "Plain", "Simple"};

namespace {

// Background, link, visited link, active link, font colour, font, header row background and
// font, table background (rows 1, 3, ...), table font, odd row background (rows 2, 4, ...).
constexpr RHTMLTemplate kTemplates[9] = {
    {HtmlRGB(0xFFFFFF), HtmlRGB(0xFF0000), HtmlRGB(0x800080), HtmlRGB(0x0000FF), HtmlRGB(0x000000), "Arial",
     HtmlRGB(0x000000), HtmlRGB(0xFFFFFF), HtmlRGB(0xFFFFFF), HtmlRGB(0x000000), HtmlRGB(0xF3F3F3)},
    {HtmlRGB(0x333399), HtmlRGB(0x69EF7D), HtmlRGB(0xFF00FF), HtmlRGB(0x00FF00), HtmlRGB(0xFFFFFF), "Arial",
     HtmlRGB(0xFF0000), HtmlRGB(0xFFFFFF), HtmlRGB(0x007AEC), HtmlRGB(0xFFFFFF), HtmlRGB(0x006BCE)},
    {HtmlRGB(0x339966), HtmlRGB(0x0066CC), HtmlRGB(0x923FC1), HtmlRGB(0x0000FF), HtmlRGB(0xFFFFFF), "Arial",
     HtmlRGB(0xCC0033), HtmlRGB(0xFFFFFF), HtmlRGB(0xFFFFFF), HtmlRGB(0x000000), HtmlRGB(0xFAF100)},
    {HtmlRGB(0xFFFFFF), HtmlRGB(0xFF0000), HtmlRGB(0x800080), HtmlRGB(0x0000FF), HtmlRGB(0x000000), "Arial",
     HtmlRGB(0x808080), HtmlRGB(0xFFFFFF), HtmlRGB(0xFFFFFF), HtmlRGB(0x000000), HtmlRGB(0xEEEEEE)},
    {HtmlRGB(0xFFFFFF), HtmlRGB(0xFF0000), HtmlRGB(0x800080), HtmlRGB(0x0000FF), HtmlRGB(0x000000), "Arial",
     HtmlRGB(0xCEC6B5), HtmlRGB(0x000000), HtmlRGB(0xDEE7DE), HtmlRGB(0x000000), HtmlRGB(0xFFFBF0)},
    {HtmlRGB(0x317676), HtmlRGB(0xFFE760), HtmlRGB(0xCCCC39), HtmlRGB(0xFFFF00), HtmlRGB(0xFFFFFF), "Arial",
     HtmlRGB(0x3A9393), HtmlRGB(0xFFFFFF), HtmlRGB(0x276262), HtmlRGB(0xFFE760), HtmlRGB(0x367800)},
    {HtmlRGB(0xFFFFFF), HtmlRGB(0xFF0000), HtmlRGB(0x800080), HtmlRGB(0x0000FF), HtmlRGB(0x5F605F), "Arial",
     HtmlRGB(0xCFC890), HtmlRGB(0x000000), HtmlRGB(0xFFFFFF), HtmlRGB(0x5F605F), HtmlRGB(0xFFFFCF)},
    {HtmlRGB(0xFFFFFF), HtmlRGB(0xFF0000), HtmlRGB(0x800080), HtmlRGB(0x0000FF), HtmlRGB(0x000000), "Arial",
     HtmlRGB(0x068FE6), HtmlRGB(0xFFFFFF), HtmlRGB(0xFFFFFF), HtmlRGB(0x000000), HtmlRGB(0xFFFCD9)},
    {HtmlRGB(0xFFFFFF), HtmlRGB(0xFF0000), HtmlRGB(0x800080), HtmlRGB(0x0000FF), HtmlRGB(0x004080), "Arial",
     HtmlRGB(0x336699), HtmlRGB(0xFFFFFF), HtmlRGB(0xFFFFFF), HtmlRGB(0x000000), HtmlRGB(0xFFFFCF)},
};

}  // namespace

const RHTMLTemplate& HTMLTemplateRecord(THTMLTemplate templ) {
    const int i = templ >= htBW && templ <= htSimple ? templ - htBW : htClassic - htBW;
    return kTemplates[i];
}

}  // namespace ostrel
