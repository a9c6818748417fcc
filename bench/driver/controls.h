#pragma once
// Working another program's controls from outside. Texts go through the W messages: across
// processes Wine cuts A texts short.

#include <windows.h>

#include <string>

namespace bench {

// The first direct child of that class (and text, if given), or null.
HWND ChildOfClass(HWND parent, const wchar_t* className, const wchar_t* text = nullptr);
// A descendant at any depth with that control id, or null.
HWND DescendantWithId(HWND parent, int id);

// Between the ANSI code page of the driver's own texts and the W messages' UTF-16.
std::wstring Widen(const std::string& text);
std::string Narrow(const std::wstring& text);

std::wstring TextOf(HWND window);
void SetText(HWND window, const std::wstring& text);

// The number of items of a combo box; -1 when it does not answer in time.
int ItemCount(HWND combo);
// Selects the item with exactly that text; false when there is none.
bool SelectItem(HWND combo, const std::wstring& text);

// Clicks a button (posted: a modal box it opens does not block the driver).
void Click(HWND button);
// Presses a dialog's button as a click would.
void PressDialogButton(HWND dialog, int id);

}  // namespace bench
