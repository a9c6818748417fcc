#pragma once
// The application object: the one per process that owns the main window, runs the event loop,
// reports escaped errors in its error box and offers the modal message box to the tool.

#include <exception>
#include <memory>
#include <string>
#include <string_view>

#include "classlib/core/classes.h"
#include "classlib/core/errors.h"
#include "classlib/core/message_box.h"

class TForm;

// The title derived from the executable's path: the file name without its folder, cut at its
// first period, every character after the first lower-cased in the ANSI code page
// (TAVELIN.EXE -> Tavelin). `lowerCase` lower-cases one character in that code page; without
// it, CP1252's table is used, the host's ANSI code page.
std::string ApplicationTitleFromPath(std::string_view executablePath, char (*lowerCase)(char) = nullptr);

// The error box's text: the message followed by one period, whatever the message ends with.
std::string ErrorBoxText(const Exception& error);

// The class library's error that `error` holds, as the error box reports it: lack of memory as
// EOutOfMemory, any other standard error by its text. An error of another kind is rethrown.
Exception ReportedError(std::exception_ptr error);

class TApplication : public TComponent {
public:
  // Makes the application object, which `Application` then points to. Loads the icon, derives
  // the title from the executable's name and makes the application window.
  TApplication();
  ~TApplication() override;

  const std::string& Title() const { return title_; }
  TForm* MainForm() const { return mainForm_; }

  // Has no effect; kept so that the entry point reads as the start-up sequence it is.
  void Initialize() {}

  // Makes a form owned by the application object. The first form made becomes the main window.
  // `reference` points to the form once it is made and is null again if its construction fails.
  template <class Form, class... Args>
  void CreateForm(Form*& reference, Args&&... args) {
    reference = nullptr;
    auto form = std::make_unique<Form>(*this, std::forward<Args>(args)...);
    reference = InsertComponent(std::move(form));
    if (!mainForm_) mainForm_ = reference;
  }

  // Shows the main window (its show event first) and runs the event loop until Terminate.
  void Run();
  // Posts the quit request; the loop ends when it fetches it.
  void Terminate();
  bool Terminated() const { return terminated_; }

  // The error box: the message plus "." with the title as caption, OK and the stop icon.
  void ShowException(const Exception& error);
  // Reports whatever `error` holds in the error box: the guard around every event.
  void HandleException(std::exception_ptr error);

  // The modal message box: disables every window of the tool while it is open, then enables
  // them and activates the window that was active before. Returns the button's identifier,
  // or 0 when no box could be shown.
  int ShowMessageBox(const std::string& text, const std::string& caption, unsigned flags);

  // Runs `event` inside the guard: an error that escapes it goes to the error box.
  template <class Event>
  void Guard(Event&& event) noexcept {
    try {
      event();
    } catch (...) {
      HandleException(std::current_exception());
    }
  }

  struct Impl;  // the platform's side: the application window and the loop
  Impl& Platform() { return *impl_; }

private:
  std::string title_;
  TForm* mainForm_ = nullptr;
  bool terminated_ = false;
  std::unique_ptr<Impl> impl_;
};

// The application object; null before it is made and after it is gone.
extern TApplication* Application;
