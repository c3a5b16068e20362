// The small wait window of a lookup run and its stop flag. It is created
// hidden and never shown by the run; its stop button sets the stop flag,
// which the run tests before every code and the scrapers before every line.
// Win32: a real top-most window "TfrmWait" (wait_window_win32.cpp); when it
// cannot be created the run goes on without it. POSIX: headless.
#pragma once

#include <memory>

namespace okuzuke {

class WaitWindow {
 public:
  explicit WaitWindow(bool& stopFlag);
  ~WaitWindow();
  WaitWindow(const WaitWindow&) = delete;
  WaitWindow& operator=(const WaitWindow&) = delete;

  // Lets pending window messages run (the stop button is handled here).
  void Pump();
  // Lets window messages run as they come for `milliseconds`, or until the
  // stop flag is set: how a run waits without the window freezing.
  void PumpFor(int milliseconds);
  // Sets the stop flag and closes (hides) the window.
  void BtnStopClick();
  // True when a real window exists.
  bool HasWindow() const;

 private:
  struct Impl;
  bool& stopFlag_;
  std::unique_ptr<Impl> impl_;
};

}  // namespace okuzuke
