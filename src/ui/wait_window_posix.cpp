#include "ui/wait_window.h"

namespace okuzuke {

// Headless: no window and no messages; the stop flag stays as the run sets it.
struct WaitWindow::Impl {};

WaitWindow::WaitWindow(bool& stopFlag) : stopFlag_(stopFlag) {}
WaitWindow::~WaitWindow() = default;
void WaitWindow::Pump() {}
void WaitWindow::BtnStopClick() { stopFlag_ = true; }
bool WaitWindow::HasWindow() const { return false; }

}  // namespace okuzuke
