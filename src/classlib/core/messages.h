#pragma once
// The class library's message texts, in CP1252 (0xFC is the u with diaeresis), and the one
// formatting they need.

#include <string>
#include <string_view>

namespace classlib::messages {
inline constexpr std::string_view kInvalidDataType = "Ung\xFCltiger Datentyp f\xFCr '%s'";
inline constexpr std::string_view kReadDataFailed = "Konnte Daten f\xFCr '%s' nicht holen";
inline constexpr std::string_view kWriteDataFailed = "Konnte Daten f\xFCr '%s' nicht setzen";
inline constexpr std::string_view kListInsertFailed = "Zeile kann nicht eingef\xFCgt werden";
inline constexpr std::string_view kOutOfMemory = "Zu wenig Arbeitsspeicher";
inline constexpr std::string_view kResourceNotFound = "Ressource %s nicht gefunden";
inline constexpr std::string_view kWindowNotCreated = "Fenster kann nicht erzeugt werden";
inline constexpr std::string_view kTextNotSet = "Text kann nicht gesetzt werden";
}  // namespace classlib::messages

// Puts `argument` in place of the first "%s" of `pattern`; the rest is copied unchanged.
std::string FormatText(std::string_view pattern, std::string_view argument);
