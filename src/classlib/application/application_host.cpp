#include "classlib/application/application_host.h"

#include <deque>

#include "classlib/forms/form.h"

struct TApplication::Impl {
  classlib::host::MessageBoxResponder responder;
  std::vector<classlib::host::MessageBoxCall> calls;
  std::deque<std::function<void()>> events;
  bool quitPosted = false;
};

TApplication::TApplication() : impl_(std::make_unique<Impl>()) {
  title_ = ApplicationTitleFromPath("tavelin.exe");
  Application = this;  // only once the object is whole
}

TApplication::~TApplication() {
  DestroyComponents();
  if (Application == this) Application = nullptr;
}

void TApplication::Run() {
  if (mainForm_) mainForm_->Show();
  while (!impl_->quitPosted && !impl_->events.empty()) {
    auto event = std::move(impl_->events.front());
    impl_->events.pop_front();
    Guard(event);
  }
  terminated_ = impl_->quitPosted;
}

void TApplication::Terminate() { impl_->quitPosted = true; }

int TApplication::ShowMessageBox(const std::string& text, const std::string& caption, unsigned flags) {
  impl_->calls.push_back({text, caption, flags});
  return impl_->responder ? impl_->responder(impl_->calls.back()) : 0;
}

namespace classlib::host {

void SetMessageBoxResponder(TApplication& application, MessageBoxResponder responder) {
  application.Platform().responder = std::move(responder);
}

const std::vector<MessageBoxCall>& MessageBoxCalls(const TApplication& application) {
  return const_cast<TApplication&>(application).Platform().calls;
}

void ClearMessageBoxCalls(TApplication& application) { application.Platform().calls.clear(); }

void PostEvent(TApplication& application, std::function<void()> event) {
  application.Platform().events.push_back(std::move(event));
}

}  // namespace classlib::host
