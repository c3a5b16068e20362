#include "ui/wait_window.h"

#include <chrono>
#include <thread>

namespace okuzuke {

// Headless: no window and no messages; the stop flag stays as the run sets it.
struct WaitWindow::Impl {};

WaitWindow::WaitWindow(bool& stopFlag) : stopFlag_(stopFlag) {}
WaitWindow::~WaitWindow() = default;
void WaitWindow::Pump() {}
void WaitWindow::PumpFor(int milliseconds) {
  if (milliseconds > 0 && !stopFlag_) std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}
void WaitWindow::BtnStopClick() { stopFlag_ = true; }
bool WaitWindow::HasWindow() const { return false; }

}  // namespace okuzuke
