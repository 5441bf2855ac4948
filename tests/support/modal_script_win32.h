// Drives the modal windows (dialogs, message boxes, the folder browser)
// that the calling thread opens while a test runs, so that the real Win32
// user interface can be tested headless.
//
// A thread timer looks for the thread's foremost window of the dialog
// class that is visible and enabled (an owner is disabled while its modal
// child is open) and runs the next step on it. A step inspects the window
// and posts what the operator would do (PressButton). Posted messages are
// handled before the next timer message, so a step never sees the window
// its predecessor has just closed. A window that shows up after the last
// step is cancelled and counted, so a test never hangs on a window it did
// not plan for.
#ifndef BENDPOST_TESTS_SUPPORT_MODAL_SCRIPT_WIN32_H_
#define BENDPOST_TESTS_SUPPORT_MODAL_SCRIPT_WIN32_H_

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace bendpost::test_support {

class ModalScript {
 public:
  using Step = std::function<void(HWND window)>;

  // Starts driving the windows of the calling thread.
  explicit ModalScript(std::vector<Step> steps);
  // Stops driving.
  ~ModalScript();
  ModalScript(const ModalScript&) = delete;
  ModalScript& operator=(const ModalScript&) = delete;

  size_t steps_run() const { return next_; }
  size_t steps_total() const { return steps_.size(); }
  // Windows that appeared after the last step (each was cancelled).
  int unexpected_windows() const { return unexpected_; }

 private:
  static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD);
  void Tick();

  std::vector<Step> steps_;
  size_t next_ = 0;
  int unexpected_ = 0;
  bool running_ = false;
  UINT_PTR timer_ = 0;
};

// The calling thread's foremost window of the dialog class that is visible
// and enabled (the one the operator can use), or null.
HWND ForemostDialog();

// What the operator does and sees.
void PressButton(HWND window, int button_id);
std::string WindowText(HWND window);
// The texts of a window's static controls (a message box's text is one).
std::vector<std::string> StaticTexts(HWND window);
bool HasStaticText(HWND window, const std::string& text);

}  // namespace bendpost::test_support

#endif  // BENDPOST_TESTS_SUPPORT_MODAL_SCRIPT_WIN32_H_
