#include "classlib/application/application.h"

#include <new>

#include "classlib/core/code_page.h"
#include "classlib/core/messages.h"

TApplication* Application = nullptr;

std::string ApplicationTitleFromPath(std::string_view executablePath, char (*lowerCase)(char)) {
  const auto folderEnd = executablePath.find_last_of("\\/:");
  std::string_view name =
      folderEnd == std::string_view::npos ? executablePath : executablePath.substr(folderEnd + 1);
  name = name.substr(0, name.find('.'));
  std::string title(name);
  const auto lower = lowerCase ? lowerCase : classlib::cp1252::ToLower;
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
