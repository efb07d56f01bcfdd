#pragma once
// Window layouts are given in twips; the program works at 15 twips to a pixel (96 dots per inch).
namespace vb {
constexpr int kTwipsPerPixel = 15;
constexpr int twipsToPx(int twips) { return (twips + (twips >= 0 ? kTwipsPerPixel / 2 : -kTwipsPerPixel / 2)) / kTwipsPerPixel; }
}  // namespace vb
