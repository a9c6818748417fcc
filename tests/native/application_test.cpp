// The application object on the host: its title, its error box, the guard around events, the
// making of the main window and the run from the show event to the end of the loop.

#include <gtest/gtest.h>

#include <new>
#include <stdexcept>

#include "classlib/application/application.h"
#include "classlib/application/application_host.h"
#include "classlib/forms/form.h"

namespace {

using classlib::host::MessageBoxCall;
using classlib::host::MessageBoxCalls;

TEST(ApplicationTitle, IsTheExecutablesNameCutAtItsFirstPeriodAndLowerCasedAfterItsFirstLetter) {
  struct Case {
    const char* path;
    const char* title;
  };
  const Case cases[] = {
      {"TAVELIN.EXE", "Tavelin"},
      {"tavelin.exe", "tavelin"},
      {"Tavelin.old.exe", "Tavelin"},
      {"C:\\Program Files\\TOOLS\\TAVELIN.EXE", "Tavelin"},
      {"Z:/build/app/TaVeLiN.exe", "Tavelin"},
      {"\xC4RGER\xD7\xDE.EXE", "\xC4rger\xD7\xFE"},  // CP1252 capitals, and the sign that is none
      {"\x8A\x8C\x8E\x9F", "\x8A\x9C\x9E\xFF"},
      {"NOEXTENSION", "Noextension"},
      {".hidden", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(ApplicationTitleFromPath(c.path), c.title) << c.path;
}

TEST(ErrorBox, AddsOnePeriodWhateverTheMessageEndsWith) {
  struct Case {
    const char* message;
    const char* text;
  };
  const Case cases[] = {{"Zeile kann nicht eingef\xFCgt werden", "Zeile kann nicht eingef\xFCgt werden."},
                        {"Ends with a period.", "Ends with a period.."},
                        {"", "."}};
  for (const Case& c : cases) EXPECT_EQ(ErrorBoxText(Exception(c.message)), c.text) << c.message;
}

class ApplicationTest : public testing::Test {
protected:
  TApplication application;
};

TEST_F(ApplicationTest, ShowsEachEscapedErrorInTheErrorBoxWithTheTitleAsCaption) {
  ASSERT_EQ(Application, &application);
  application.HandleException(std::make_exception_ptr(ERegistryException("Kaputt")));
  application.HandleException(std::make_exception_ptr(std::bad_alloc()));
  application.HandleException(std::make_exception_ptr(std::runtime_error("plain")));
  const std::vector<MessageBoxCall> expected = {
      {"Kaputt.", application.Title(), 0x10},
      {"Zu wenig Arbeitsspeicher.", application.Title(), 0x10},
      {"plain.", application.Title(), 0x10},
  };
  EXPECT_EQ(MessageBoxCalls(application), expected);
}

TEST_F(ApplicationTest, MessageBoxServiceReturnsTheAnswerOrZeroWhenNoBoxCanBeShown) {
  EXPECT_EQ(application.ShowMessageBox("text", "caption", 0x41), 0);
  classlib::host::SetMessageBoxResponder(application, [](const MessageBoxCall&) { return 2; });
  EXPECT_EQ(application.ShowMessageBox("text", "caption", 0x41), 2);
  EXPECT_EQ(MessageBoxCalls(application).back(), (MessageBoxCall{"text", "caption", 0x41}));
}

// A form whose show event records what the user would have seen.
class RecordingForm : public TForm {
public:
  explicit RecordingForm(TComponent& owner, bool failShow = false) : TForm(owner, "TRecordingForm") {
    FormSettings settings;
    settings.onShow = [this, failShow](TObject* sender) {
      ++shows;
      visibleAtShow = Visible();
      senderWasForm = sender == this;
      if (failShow) throw Exception("show failed");
    };
    ApplySettings(settings);
  }
  int shows = 0;
  bool visibleAtShow = true;
  bool senderWasForm = false;
};

class FailingForm : public TForm {
public:
  explicit FailingForm(TComponent& owner) : TForm(owner, "TFailingForm") { throw ERegistryException("broken"); }
};

TEST_F(ApplicationTest, FirstFormMadeIsTheMainWindowAndAFailedOneLeavesItsReferenceNull) {
  RecordingForm* first = nullptr;
  RecordingForm* second = nullptr;
  application.CreateForm(first);
  application.CreateForm(second);
  EXPECT_EQ(application.MainForm(), first);
  EXPECT_FALSE(first->Visible()) << "made hidden";

  FailingForm* failing = reinterpret_cast<FailingForm*>(first);  // not null before
  EXPECT_THROW(application.CreateForm(failing), ERegistryException);
  EXPECT_EQ(failing, nullptr);
}

TEST_F(ApplicationTest, RunRaisesTheShowEventOnceBeforeTheWindowIsVisibleThenLoopsUntilClosed) {
  RecordingForm* form = nullptr;
  application.CreateForm(form);
  bool handled = false;
  classlib::host::PostEvent(application, [&] { throw Exception("handler failed"); });
  classlib::host::PostEvent(application, [&] { handled = true; });
  classlib::host::PostEvent(application, [&] { form->Close(); });
  classlib::host::PostEvent(application, [&] { ADD_FAILURE() << "the loop ends at the quit request"; });
  application.Run();

  EXPECT_EQ(form->shows, 1);
  EXPECT_FALSE(form->visibleAtShow);
  EXPECT_TRUE(form->senderWasForm);
  EXPECT_TRUE(handled) << "an error in one handler does not stop the loop";
  EXPECT_TRUE(application.Terminated());
  EXPECT_FALSE(form->Visible());
  const std::vector<MessageBoxCall> expected = {{"handler failed.", application.Title(), 0x10}};
  EXPECT_EQ(MessageBoxCalls(application), expected);
}

TEST_F(ApplicationTest, AnErrorOfTheShowEventIsReportedAndTheWindowIsShownAllTheSame) {
  RecordingForm* form = nullptr;
  application.CreateForm(form, /*failShow=*/true);
  classlib::host::PostEvent(application, [&] {
    EXPECT_TRUE(form->Visible());
    form->Close();
  });
  application.Run();
  ASSERT_EQ(MessageBoxCalls(application).size(), 1u);
  EXPECT_EQ(MessageBoxCalls(application)[0].text, "show failed.");
  EXPECT_TRUE(application.Terminated());
}

TEST_F(ApplicationTest, ClosingAFormThatIsNotTheMainWindowDoesNotEndTheTool) {
  RecordingForm* main = nullptr;
  RecordingForm* other = nullptr;
  application.CreateForm(main);
  application.CreateForm(other);
  classlib::host::PostEvent(application, [&] { other->Close(); });
  application.Run();
  EXPECT_FALSE(application.Terminated());
}

}  // namespace
