#pragma once
// Colours, fonts and cursors as the window description names them.

#include <cstdint>
#include <string>

// A colour: 0x00BBGGRR, or a system colour (0x80000000 plus the COLOR_ index).
using TColor = std::uint32_t;
inline constexpr TColor clWindowText = 0x80000008;
inline constexpr TColor clBtnFace = 0x8000000F;
inline constexpr TColor clBlack = 0x000000;
inline constexpr TColor clNavy = 0x800000;  // red 0, green 0, blue 128
inline constexpr TColor clWhite = 0xFFFFFF;

inline constexpr int kDefaultCharset = 1;  // DEFAULT_CHARSET

struct TFont {
  std::string name = "MS Sans Serif";
  int height = -11;  // negative: character height in pixels; positive: cell height
  int charset = kDefaultCharset;
  TColor color = clWindowText;
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool strikeOut = false;

  bool operator==(const TFont&) const = default;
};

enum class TCursor {
  crDefault,
  crArrow,
  crHandPoint,
  crMultiDrag,
};
