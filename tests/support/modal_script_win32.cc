#include "support/modal_script_win32.h"

#include <algorithm>

namespace bendpost::test_support {
namespace {

thread_local ModalScript* current_script = nullptr;

// How often the timer looks for a window; it only paces the polling.
constexpr UINT kPollMilliseconds = 10;

struct Search {
  HWND found = nullptr;
};

BOOL CALLBACK FindForemostDialog(HWND window, LPARAM param) {
  char name[16] = {};
  GetClassNameA(window, name, sizeof name);
  if (lstrcmpA(name, "#32770") != 0 || !IsWindowVisible(window) ||
      !IsWindowEnabled(window))
    return TRUE;
  reinterpret_cast<Search*>(param)->found = window;
  return FALSE;
}

BOOL CALLBACK CollectStaticText(HWND child, LPARAM param) {
  char name[16] = {};
  GetClassNameA(child, name, sizeof name);
  if (lstrcmpiA(name, "Static") == 0)
    reinterpret_cast<std::vector<std::string>*>(param)->push_back(
        WindowText(child));
  return TRUE;
}

}  // namespace

ModalScript::ModalScript(std::vector<Step> steps) : steps_(std::move(steps)) {
  current_script = this;
  timer_ = SetTimer(nullptr, 0, kPollMilliseconds, &ModalScript::OnTimer);
}

ModalScript::~ModalScript() {
  KillTimer(nullptr, timer_);
  current_script = nullptr;
}

void CALLBACK ModalScript::OnTimer(HWND, UINT, UINT_PTR, DWORD) {
  if (current_script != nullptr) current_script->Tick();
}

void ModalScript::Tick() {
  if (running_) return;  // a step's own modal loop
  HWND window = ForemostDialog();
  if (window == nullptr) return;
  running_ = true;
  if (next_ < steps_.size()) {
    Step& step = steps_[next_++];
    step(window);
  } else {
    ++unexpected_;
    PressButton(window, IDCANCEL);
  }
  running_ = false;
}

HWND ForemostDialog() {
  Search search;
  EnumThreadWindows(GetCurrentThreadId(), FindForemostDialog,
                    reinterpret_cast<LPARAM>(&search));
  return search.found;
}

void PressButton(HWND window, int button_id) {
  PostMessageA(window, WM_COMMAND, MAKEWPARAM(button_id, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(window, button_id)));
}

std::string WindowText(HWND window) {
  int length = GetWindowTextLengthA(window);
  std::string text(static_cast<size_t>(length) + 1, '\0');
  int got = GetWindowTextA(window, text.data(), length + 1);
  text.resize(static_cast<size_t>(std::max(got, 0)));
  return text;
}

std::vector<std::string> StaticTexts(HWND window) {
  std::vector<std::string> texts;
  EnumChildWindows(window, CollectStaticText, reinterpret_cast<LPARAM>(&texts));
  return texts;
}

bool HasStaticText(HWND window, const std::string& text) {
  std::vector<std::string> texts = StaticTexts(window);
  return std::find(texts.begin(), texts.end(), text) != texts.end();
}

}  // namespace bendpost::test_support
