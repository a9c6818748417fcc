#pragma once
// Host side of the file-open dialog: native tests play the user, seeing each request the tool
// makes and answering with a path or a cancel.

#include <functional>
#include <optional>
#include <vector>

#include "classlib/dialogs/open_dialog_seam.h"

namespace classlib::host {

// Empty answer: the user cancelled. Until one is set, every dialog is cancelled.
using OpenDialogResponder = std::function<std::optional<OpenDialogChoice>(const OpenDialogRequest&)>;

void SetOpenDialogResponder(OpenDialogResponder responder);
const std::vector<OpenDialogRequest>& OpenDialogRequests();
void ResetOpenDialog();

}  // namespace classlib::host
