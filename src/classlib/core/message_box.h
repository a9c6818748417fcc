#pragma once
// Message box flags and answers (the Win32 values), for code that asks the user without
// knowing who shows the box.

namespace classlib::mb {
inline constexpr unsigned kOk = 0x0;
inline constexpr unsigned kOkCancel = 0x1;
inline constexpr unsigned kIconStop = 0x10;
inline constexpr unsigned kIconWarning = 0x30;
inline constexpr unsigned kIconInformation = 0x40;
inline constexpr unsigned kDefaultButton2 = 0x100;
inline constexpr int kIdOk = 1;
inline constexpr int kIdCancel = 2;
}  // namespace classlib::mb
