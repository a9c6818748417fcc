// The entry point: make the main window through the application object and run it. Errors that
// escape start-up are shown in the error box; the exit status is 0 in every case.

#include <windows.h>

#include "classlib/application/application.h"
#include "classlib/application/application_win.h"
#include "ui/form1.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  try {
    // The one application object. It is made here rather than before the entry point, so that a
    // failure while making it is reported too.
    TApplication application;
    try {
      Application->Initialize();
      Application->CreateForm(Form1);
      Application->Run();
    } catch (...) {
      Application->HandleException(std::current_exception());
    }
  } catch (...) {
    // Making the application object failed: its error box is shown without it.
    classlib::win::ShowErrorWithoutApplication(std::current_exception());
  }
  return 0;
}
