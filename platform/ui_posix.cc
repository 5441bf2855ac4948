// The default user interface of the POSIX library: messages go to stderr and
// dialogs are cancelled, so a host that installs no user interface never
// blocks and never creates a program it did not confirm. The command-line
// host installs its terminal or scripted interface instead.
#include <cstdio>

#include "platform/ui.h"

namespace bendpost {
namespace {

class StderrUserInterface : public UserInterface {
 public:
  void ShowMessage(const std::string& text, MessageIcon icon) override {
    std::fprintf(stderr, "%s%s\n", icon == MessageIcon::kError ? "error: " : "",
                 text.c_str());
  }
  DialogResult RunDialog(int, DialogController&) override {
    return DialogResult::kCancel;
  }
  FolderChoice BrowseForFolder(const std::string&,
                               const std::string&) override {
    return FolderChoice{};
  }
};

}  // namespace

UserInterface& DefaultUserInterface() {
  static StderrUserInterface* ui = new StderrUserInterface();
  return *ui;
}

}  // namespace bendpost
