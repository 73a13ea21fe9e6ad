// Colours and fonts as the exporters and the dialog exchange them.
#pragma once

#include <cstdint>
#include <string>

namespace ostrel {

// Red in bits 0-7, green in 8-15, blue in 16-23; $80000000..$80000018 are the user
// interface's system colours; clNone is no colour.
using TColor = int32_t;

constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clGreen = 0x008000;
constexpr TColor clOlive = 0x008080;
constexpr TColor clNavy = 0x800000;
constexpr TColor clPurple = 0x800080;
constexpr TColor clTeal = 0x808000;
constexpr TColor clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clAqua = 0xFFFF00;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor SystemColor(int index) { return static_cast<TColor>(0x80000000u | index); }
constexpr TColor clWindow = SystemColor(5);
constexpr TColor clWindowText = SystemColor(8);
constexpr TColor clBtnFace = SystemColor(15);

enum TFontStyle : unsigned { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
using TFontStyles = unsigned;

struct TFont {
    std::string Name = "MS Sans Serif";
    int Size = 8;  // points
    TFontStyles Style = 0;
    TColor Color = clWindowText;
    int Charset = 1;  // the default character set

    // The height in pixels of the font's em on a 96 dpi screen.
    int PixelHeight() const { return (Size * 96 + 36) / 72; }
    bool operator==(const TFont&) const = default;
};

}  // namespace ostrel
