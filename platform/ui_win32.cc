// The Windows user interface: message boxes, the modal dialog built from
// this module's template, and the shell's folder browser. Every window is
// owned by the thread's active window (the host's, or the open dialog), so
// each one is modal to what the operator was looking at.
#include <shlobj.h>
#include <windows.h>

#include <exception>
#include <string>
#include <vector>

#include "platform/module_win32.h"
#include "platform/ui.h"

namespace bendpost {
namespace {

bool HasClass(HWND window, const char* class_name) {
  char name[32] = {};
  return window != nullptr && GetClassNameA(window, name, sizeof name) > 0 &&
         lstrcmpiA(name, class_name) == 0;
}

// The fields of an open dialog, mapped onto its controls.
class Win32DialogFields : public DialogFields {
 public:
  void Attach(HWND dialog) { dialog_ = dialog; }
  // Whether Focus() was called (during WM_INITDIALOG the dialog manager
  // must then leave the focus where it is).
  bool focus_set() const { return focus_set_; }

  std::string GetText(int control_id) override {
    HWND control = GetDlgItem(dialog_, control_id);
    if (control == nullptr) return std::string();
    int length = GetWindowTextLengthA(control);
    std::vector<char> buf(static_cast<size_t>(length) + 1);
    UINT got = GetDlgItemTextA(dialog_, control_id, buf.data(),
                               static_cast<int>(buf.size()));
    return std::string(buf.data(), got);
  }
  void SetText(int control_id, const std::string& text) override {
    SetDlgItemTextA(dialog_, control_id, text.c_str());
  }
  // EM_LIMITTEXT with 0 sets the largest limit there is: no limit.
  void SetLimit(int control_id, int max_chars) override {
    SendDlgItemMessageA(dialog_, control_id, EM_LIMITTEXT,
                        static_cast<WPARAM>(max_chars < 0 ? 0 : max_chars), 0);
  }
  void FillList(int control_id,
                const std::vector<std::string>& entries) override {
    SendDlgItemMessageA(dialog_, control_id, CB_RESETCONTENT, 0, 0);
    for (const std::string& entry : entries)
      SendDlgItemMessageA(dialog_, control_id, CB_ADDSTRING, 0,
                          reinterpret_cast<LPARAM>(entry.c_str()));
  }
  void SelectListEntry(int control_id, int index) override {
    SendDlgItemMessageA(dialog_, control_id, CB_SETCURSEL,
                        static_cast<WPARAM>(index), 0);
  }
  int ListSelection(int control_id) override {
    LRESULT r = SendDlgItemMessageA(dialog_, control_id, CB_GETCURSEL, 0, 0);
    return r == CB_ERR ? -1 : static_cast<int>(r);
  }
  std::string ListEntry(int control_id, int index) override {
    LRESULT length = SendDlgItemMessageA(dialog_, control_id, CB_GETLBTEXTLEN,
                                         static_cast<WPARAM>(index), 0);
    if (length == CB_ERR || length < 0) return std::string();
    std::vector<char> buf(static_cast<size_t>(length) + 1);
    LRESULT got = SendDlgItemMessageA(dialog_, control_id, CB_GETLBTEXT,
                                      static_cast<WPARAM>(index),
                                      reinterpret_cast<LPARAM>(buf.data()));
    if (got == CB_ERR || got < 0) return std::string();
    return std::string(buf.data(), static_cast<size_t>(got));
  }
  // Through the dialog manager, which also selects an edit field's text
  // and moves the default button as the keyboard would.
  void Focus(int control_id) override {
    HWND control = GetDlgItem(dialog_, control_id);
    if (control == nullptr) return;
    SendMessageA(dialog_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control),
                 TRUE);
    focus_set_ = true;
  }
  void Show(int control_id, bool visible) override {
    HWND control = GetDlgItem(dialog_, control_id);
    if (control != nullptr) ShowWindow(control, visible ? SW_SHOW : SW_HIDE);
  }

 private:
  HWND dialog_ = nullptr;
  bool focus_set_ = false;
};

struct DialogState {
  DialogController* controller = nullptr;
  Win32DialogFields fields;
  // An exception of the controller is not let through the system's code:
  // the dialog closes and RunDialog rethrows it.
  std::exception_ptr error;
};

template <typename F>
void Guarded(HWND dialog, DialogState* state, F f) {
  try {
    f();
  } catch (...) {
    state->error = std::current_exception();
    EndDialog(dialog, IDCANCEL);
  }
}

INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wparam,
                            LPARAM lparam) {
  if (message == WM_INITDIALOG) {
    auto* state = reinterpret_cast<DialogState*>(lparam);
    SetWindowLongPtrA(dialog, DWLP_USER, lparam);
    state->fields.Attach(dialog);
    Guarded(dialog, state,
            [&] { state->controller->OnInitDialog(state->fields); });
    // TRUE: the dialog manager focuses the first tab stop.
    return state->fields.focus_set() ? FALSE : TRUE;
  }
  auto* state =
      reinterpret_cast<DialogState*>(GetWindowLongPtrA(dialog, DWLP_USER));
  if (state == nullptr || message != WM_COMMAND) return FALSE;
  int id = LOWORD(wparam);
  int code = HIWORD(wparam);
  HWND control = reinterpret_cast<HWND>(lparam);
  if (id == IDOK && code == BN_CLICKED) {
    Guarded(dialog, state, [&] {
      if (state->controller->OnOk(state->fields)) EndDialog(dialog, IDOK);
    });
    return TRUE;
  }
  // Escape, the close box and the "Cancel" button all arrive as IDCANCEL.
  if (id == IDCANCEL) {
    EndDialog(dialog, IDCANCEL);
    return TRUE;
  }
  if ((code == BN_CLICKED && HasClass(control, "Button")) ||
      (code == CBN_SELCHANGE && HasClass(control, "ComboBox"))) {
    Guarded(dialog, state,
            [&] { state->controller->OnCommand(id, state->fields); });
    return TRUE;
  }
  return FALSE;
}

int CALLBACK BrowseCallback(HWND browser, UINT message, LPARAM,
                            LPARAM initial_folder) {
  if (message == BFFM_INITIALIZED)
    SendMessageA(browser, BFFM_SETSELECTIONA, TRUE, initial_folder);
  return 0;
}

// COM for the shell's browser, unless the thread has it already (then the
// thread's own apartment is used as it is).
class ComScope {
 public:
  ComScope() {
    HRESULT hr = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    initialized_ = hr == S_OK || hr == S_FALSE;
  }
  ~ComScope() {
    if (initialized_) CoUninitialize();
  }

 private:
  bool initialized_;
};

class Win32UserInterface : public UserInterface {
 public:
  void ShowMessage(const std::string& text, MessageIcon icon) override {
    HWND owner = GetActiveWindow();
    UINT type = MB_OK;
    if (icon == MessageIcon::kError) type |= MB_ICONERROR;
    if (owner == nullptr) type |= MB_TASKMODAL;
    MessageBoxA(owner, text.c_str(), ThisModuleTitle().c_str(), type);
  }

  // A template that cannot be loaded or a window that cannot be created
  // counts as Cancel: nothing is ever created without the operator's OK.
  DialogResult RunDialog(int template_id,
                         DialogController& controller) override {
    DialogState state;
    state.controller = &controller;
    INT_PTR result = DialogBoxParamA(
        ThisModule(), MAKEINTRESOURCEA(template_id), GetActiveWindow(),
        DialogProc, reinterpret_cast<LPARAM>(&state));
    if (state.error) std::rethrow_exception(state.error);
    return result == IDOK ? DialogResult::kOk : DialogResult::kCancel;
  }

  FolderChoice BrowseForFolder(const std::string& title,
                               const std::string& initial_folder) override {
    ComScope com;
    // The browser takes the initial selection as a path of at most 511
    // characters.
    char initial[512] = {};
    initial_folder.copy(initial, sizeof initial - 1);
    char display_name[MAX_PATH] = {};
    BROWSEINFOA info = {};
    info.hwndOwner = GetActiveWindow();
    info.pidlRoot = nullptr;
    info.pszDisplayName = display_name;
    info.lpszTitle = title.c_str();
    info.ulFlags = 0;
    info.lpfn = BrowseCallback;
    info.lParam = reinterpret_cast<LPARAM>(initial);

    FolderChoice choice;
    PIDLIST_ABSOLUTE item = SHBrowseForFolderA(&info);
    if (item == nullptr) return choice;  // cancelled
    char path[MAX_PATH] = {};
    if (SHGetPathFromIDListA(item, path)) {
      choice.outcome = FolderChoice::Outcome::kChosen;
      choice.path = path;
    } else {
      choice.outcome = FolderChoice::Outcome::kNoPath;
    }
    IMalloc* shell_malloc = nullptr;
    if (SUCCEEDED(SHGetMalloc(&shell_malloc))) {
      shell_malloc->Free(item);
      shell_malloc->Release();
    }
    return choice;
  }
};

}  // namespace

UserInterface& DefaultUserInterface() {
  static Win32UserInterface* ui = new Win32UserInterface();
  return *ui;
}

}  // namespace bendpost
