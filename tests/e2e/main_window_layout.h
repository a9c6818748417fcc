#pragma once
// The main window as its description places it at 96 pixels per inch: what the layout tests
// check at that density and, scaled, at every other.

namespace e2e {

struct Place {
  int left, top, width, height;
};

struct ControlPlace {
  const wchar_t* className;
  const wchar_t* text;  // null: found by its kind
  Place place;          // width 0: a label, as wide and high as its text
};

inline constexpr Place kMainWindowPlace{47, 80, 624, 227};  // outer, frame and title bar included

inline constexpr ControlPlace kControlPlaces[] = {
    {L"Static", L"Connection for resume:", {12, 56, 109, 13}},
    {L"Static", L"Unfinished download file:", {12, 12, 118, 13}},
    {L"Static", L"Homepage: example.org/tavelin", {132, 184, 0, 0}},
    {L"Static", L"Kestrel Bay Software", {132, 144, 0, 0}},
    {L"Static", L"Mira Holt (mira.holt@example.org)", {132, 160, 0, 0}},
    {L"ComboBox", nullptr, {12, 72, 509, 21}},
    {L"Button", L"&Refresh", {528, 72, 75, 25}},
    {L"Edit", nullptr, {12, 28, 509, 21}},
    {L"Button", L"&Select file...", {528, 28, 75, 25}},
    {L"Button", L"Resume damaged file on new connection", {12, 104, 221, 25}},
    {L"Button", L"&Exit", {532, 168, 75, 25}},
};

// The two controls found by their kind of static: the logo and the sunken frame.
inline constexpr Place kLogoPlace{8, 144, 119, 52};
inline constexpr Place kBevelPlace{4, 4, 609, 133};

}  // namespace e2e
