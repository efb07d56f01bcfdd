#pragma once
// Windows RGB colour values keep red in the low byte: "16711680" (0xFF0000) is blue.
// Every conversion between those values and QColor goes through this pair.
#include <QColor>
#include <QString>
#include <cstdint>

namespace vb {

QColor winRgbToQColor(uint32_t winRgb);
uint32_t qColorToWinRgb(const QColor& colour);

// Windows RGB value of red, green and blue components (VB's RGB()).
constexpr uint32_t RGB(int r, int g, int b) { return uint32_t(r & 0xFF) | (uint32_t(g & 0xFF) << 8) | (uint32_t(b & 0xFF) << 16); }

// The colour texts of the settings file and the shared state: decimal text of a Windows RGB value.
// CLng-like: leading and trailing blanks are ignored; anything else raises 13 (type mismatch),
// a number out of 32-bit range raises 6 (overflow).
int32_t colourFromText(const QString& text);
// As colourFromText, but a text that is not a valid colour (not a number, negative, or above
// 0xFFFFFF) gives the fallback.
uint32_t colourOrDefault(const QString& text, uint32_t fallback);

}  // namespace vb
