#include "classlib/dialogs/open_dialog_host.h"

namespace classlib {
namespace {

struct ScriptedDialog {
  host::OpenDialogResponder responder;
  std::vector<OpenDialogRequest> requests;
};

// The host's stand-in for the platform's dialog, which is one per process too.
ScriptedDialog& Dialog() {
  static ScriptedDialog dialog;
  return dialog;
}

}  // namespace

std::optional<OpenDialogChoice> RunOpenDialog(const OpenDialogRequest& request) {
  Dialog().requests.push_back(request);
  if (!Dialog().responder) return std::nullopt;
  return Dialog().responder(request);
}

namespace host {

void SetOpenDialogResponder(OpenDialogResponder responder) { Dialog().responder = std::move(responder); }
const std::vector<OpenDialogRequest>& OpenDialogRequests() { return Dialog().requests; }
void ResetOpenDialog() { Dialog() = ScriptedDialog{}; }

}  // namespace host
}  // namespace classlib
