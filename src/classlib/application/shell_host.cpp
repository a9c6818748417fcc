#include "classlib/application/shell_host.h"

#include "classlib/application/shell.h"

namespace {

std::vector<classlib::host::ShellRequest>& Requests() {
  static std::vector<classlib::host::ShellRequest> requests;
  return requests;
}

}  // namespace

void classlib::ShellOpen(const TForm& owner, const std::string& verb, const std::string& file,
                            int show) {
  Requests().push_back({&owner, verb, file, show});
}

const std::vector<classlib::host::ShellRequest>& classlib::host::ShellRequests() { return Requests(); }
void classlib::host::ClearShellRequests() { Requests().clear(); }
