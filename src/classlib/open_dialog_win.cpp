#include <windows.h>
#include <commdlg.h>

#include "classlib/application.h"
#include "classlib/form_win.h"
#include "classlib/modal_win.h"
#include "classlib/open_dialog_seam.h"

namespace classlib {
namespace {

// The hook lets the dialog do all its default work.
UINT_PTR CALLBACK OpenDialogHook(HWND, UINT, WPARAM, LPARAM) { return 0; }

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

  BOOL confirmed = FALSE;
  {
    win::ModalScope modal(dialog.hwndOwner);
    confirmed = GetOpenFileNameA(&dialog);
  }
  if (!confirmed) return std::nullopt;
  return OpenDialogChoice{std::string(buffer), (dialog.Flags & OFN_READONLY) != 0};
}

}  // namespace classlib
