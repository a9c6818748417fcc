#pragma once
// Host side of the shell: native tests read what the tool asked the shell to open.

#include <string>
#include <vector>

class TForm;

namespace classlib::host {

struct ShellRequest {
  const TForm* owner = nullptr;
  std::string verb;
  std::string file;
  int show = 0;
};

const std::vector<ShellRequest>& ShellRequests();
void ClearShellRequests();

}  // namespace classlib::host
