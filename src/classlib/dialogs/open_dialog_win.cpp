#include <windows.h>
#include <commdlg.h>

#include "classlib/application/application_win.h"
#include "classlib/application/modal_win.h"
#include "classlib/core/system_library_win.h"
#include "classlib/dialogs/open_dialog_seam.h"

namespace classlib {
namespace {

// The hook lets the dialog do all its default work.
UINT_PTR CALLBACK OpenDialogHook(HWND, UINT, WPARAM, LPARAM) { return 0; }

using OpenFileNameFunction = BOOL(WINAPI*)(LPOPENFILENAMEA);

// comdlg32 brings comctl32 and the print spooler's DLLs with it: loaded when the dialog is
// first shown (it cost a sixth of the start-up under Wine).
OpenFileNameFunction GetOpenFileNameEntry() {
  static const auto entry = reinterpret_cast<OpenFileNameFunction>(
      reinterpret_cast<void*>(win::SystemFunction("comdlg32.dll", "GetOpenFileNameA")));
  return entry;
}

}  // namespace

std::optional<OpenDialogChoice> RunOpenDialog(const OpenDialogRequest& request) {
  char buffer[kOpenDialogBufferSize] = {};
  lstrcpynA(buffer, request.fileName.c_str(), kOpenDialogBufferSize);

  OPENFILENAMEA dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = win::ApplicationWindow();
  dialog.hInstance = GetModuleHandleA(nullptr);
  dialog.lpstrFile = buffer;
  dialog.nMaxFile = kOpenDialogBufferSize;
  dialog.lpstrInitialDir = request.initialDir.empty() ? nullptr : request.initialDir.c_str();
  dialog.Flags = request.flags;
  dialog.lpfnHook = OpenDialogHook;

  // Without the DLL the dialog fails, as it would if it could not be created.
  const OpenFileNameFunction getOpenFileName = GetOpenFileNameEntry();
  if (!getOpenFileName) return std::nullopt;
  BOOL confirmed = FALSE;
  {
    win::ModalScope modal(dialog.hwndOwner);
    confirmed = getOpenFileName(&dialog);
  }
  if (!confirmed) return std::nullopt;
  return OpenDialogChoice{std::string(buffer), (dialog.Flags & OFN_READONLY) != 0};
}

}  // namespace classlib
