#include "engine/IB_OstrelColor.h"

#include <cstdio>

#include "engine/Classes.h"
#include "platform/Parsers.h"

namespace ostrel {

namespace {

struct TColorName {
    const char* Name;
    uint32_t Value;
};

constexpr TColorName kColorNames[] = {
    {"clBlack", 0x00000000},          {"clMaroon", 0x00000080},
    {"clGreen", 0x00008000},          {"clOlive", 0x00008080},
    {"clNavy", 0x00800000},           {"clPurple", 0x00800080},
    {"clTeal", 0x00808000},           {"clGray", 0x00808080},
    {"clSilver", 0x00C0C0C0},         {"clRed", 0x000000FF},
    {"clLime", 0x0000FF00},           {"clYellow", 0x0000FFFF},
    {"clBlue", 0x00FF0000},           {"clFuchsia", 0x00FF00FF},
    {"clAqua", 0x00FFFF00},           {"clWhite", 0x00FFFFFF},
    {"clScrollBar", 0x80000000},      {"clBackground", 0x80000001},
    {"clActiveCaption", 0x80000002},  {"clInactiveCaption", 0x80000003},
    {"clMenu", 0x80000004},           {"clWindow", 0x80000005},
    {"clWindowFrame", 0x80000006},    {"clMenuText", 0x80000007},
    {"clWindowText", 0x80000008},     {"clCaptionText", 0x80000009},
    {"clActiveBorder", 0x8000000A},   {"clInactiveBorder", 0x8000000B},
    {"clAppWorkSpace", 0x8000000C},   {"clHighlight", 0x8000000D},
    {"clHighlightText", 0x8000000E},  {"clBtnFace", 0x8000000F},
    {"clBtnShadow", 0x80000010},      {"clGrayText", 0x80000011},
    {"clBtnText", 0x80000012},        {"clInactiveCaptionText", 0x80000013},
    {"clBtnHighlight", 0x80000014},   {"cl3DDkShadow", 0x80000015},
    {"cl3DLight", 0x80000016},        {"clInfoText", 0x80000017},
    {"clInfoBk", 0x80000018},         {"clNone", 0x1FFFFFFF},
};

}  // namespace

bool ColorToIdent(TColor value, std::string& name) {
    for (const auto& entry : kColorNames)
        if (static_cast<TColor>(entry.Value) == value) {
            name = entry.Name;
            return true;
        }
    return false;
}

bool IdentToColor(std::string_view text, TColor& value) {
    for (const auto& entry : kColorNames)
        if (SameText(entry.Name, text)) {
            value = static_cast<TColor>(entry.Value);
            return true;
        }
    return false;
}

std::string ColorToString(TColor value) {
    std::string name;
    if (ColorToIdent(value, name)) return name;
    char buf[16];
    std::snprintf(buf, sizeof buf, "$%08X", static_cast<uint32_t>(value));
    return buf;
}

TColor StringToColor(std::string_view text) {
    TColor value;
    if (IdentToColor(text, value)) return value;
    return StrToInt(text);
}

}  // namespace ostrel
