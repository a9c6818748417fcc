#include "classlib/application.h"

#include <new>

TApplication* Application = nullptr;

namespace {

// CP1252 lower case: ASCII, the Latin-1 capitals, and the four capitals of 0x80-0x9F.
char LowerCp1252(char c) {
  const auto byte = static_cast<unsigned char>(c);
  if (byte >= 'A' && byte <= 'Z') return static_cast<char>(byte + 0x20);
  if (byte >= 0xC0 && byte <= 0xDE && byte != 0xD7) return static_cast<char>(byte + 0x20);
  switch (byte) {
    case 0x8A: return static_cast<char>(0x9A);  // S caron
    case 0x8C: return static_cast<char>(0x9C);  // OE
    case 0x8E: return static_cast<char>(0x9E);  // Z caron
    case 0x9F: return static_cast<char>(0xFF);  // Y diaeresis
    default: return c;
  }
}

}  // namespace

std::string ApplicationTitleFromPath(std::string_view executablePath, char (*lowerCase)(char)) {
  const auto folderEnd = executablePath.find_last_of("\\/:");
  std::string_view name =
      folderEnd == std::string_view::npos ? executablePath : executablePath.substr(folderEnd + 1);
  name = name.substr(0, name.find('.'));
  std::string title(name);
  const auto lower = lowerCase ? lowerCase : LowerCp1252;
  for (size_t i = 1; i < title.size(); ++i) title[i] = lower(title[i]);
  return title;
}

std::string ErrorBoxText(const Exception& error) { return error.Message() + "."; }

void TApplication::ShowException(const Exception& error) {
  (void)ShowMessageBox(ErrorBoxText(error), title_, classlib::mb::kOk | classlib::mb::kIconStop);
}

Exception ReportedError(std::exception_ptr error) {
  try {
    std::rethrow_exception(error);
  } catch (const Exception& e) {
    return e;
  } catch (const std::bad_alloc&) {
    return EOutOfMemory(std::string(classlib::messages::kOutOfMemory));
  } catch (const std::exception& e) {
    return Exception(e.what());
  }
}

void TApplication::HandleException(std::exception_ptr error) {
  // Whatever escaped, the user sees it as the class library's error; nothing may escape here,
  // since the caller is a window procedure or the entry point.
  try {
    ShowException(ReportedError(error));
  } catch (...) {
    // An error of no known kind, or the error box itself failed (no memory for its text):
    // there is no one left to tell.
  }
}
