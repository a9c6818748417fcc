#include "driver/controls.h"

#include <vector>

namespace bench {
namespace {

constexpr UINT kAnswerTimeoutMs = 600000;  // a refresh of many entries keeps the program busy

BOOL CALLBACK CollectChild(HWND window, LPARAM data) {
  reinterpret_cast<std::vector<HWND>*>(data)->push_back(window);
  return TRUE;
}

}  // namespace

HWND ChildOfClass(HWND parent, const wchar_t* className, const wchar_t* text) {
  return FindWindowExW(parent, nullptr, className, text);
}

HWND DescendantWithId(HWND parent, int id) {
  std::vector<HWND> all;
  EnumChildWindows(parent, CollectChild, reinterpret_cast<LPARAM>(&all));
  for (HWND window : all) {
    if (GetDlgCtrlID(window) == id) return window;
  }
  return nullptr;
}

std::wstring Widen(const std::string& text) {
  if (text.empty()) return {};
  const int length = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(static_cast<size_t>(length), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
  return wide;
}

std::string Narrow(const std::wstring& text) {
  if (text.empty()) return {};
  const int length =
      WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string narrow(static_cast<size_t>(length), '\0');
  WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), narrow.data(), length, nullptr,
                      nullptr);
  return narrow;
}

std::wstring TextOf(HWND window) {
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, kAnswerTimeoutMs, &length)) return {};
  std::wstring text(length + 1, L'\0');
  DWORD_PTR copied = 0;
  SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), SMTO_NORMAL,
                      kAnswerTimeoutMs, &copied);
  text.resize(copied);
  return text;
}

void SetText(HWND window, const std::wstring& text) {
  SendMessageW(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

int ItemCount(HWND combo) {
  DWORD_PTR count = 0;
  if (!SendMessageTimeoutW(combo, CB_GETCOUNT, 0, 0, SMTO_NORMAL, kAnswerTimeoutMs, &count)) return -1;
  return static_cast<int>(static_cast<LRESULT>(count));
}

bool SelectItem(HWND combo, const std::wstring& text) {
  const LRESULT index =
      SendMessageW(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text.c_str()));
  if (index == CB_ERR) return false;
  SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  return true;
}

void Click(HWND button) { PostMessageW(button, BM_CLICK, 0, 0); }

void PressDialogButton(HWND dialog, int id) {
  PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

}  // namespace bench
