#include <windows.h>
#include <commctrl.h>
#include <float.h>

#include <string>

#include "text/codepage.h"
#include "text/sjis_literal.h"
#include "ui/wait_window.h"

namespace okuzuke {

namespace {

constexpr const wchar_t* kClassName = L"TfrmWait";
constexpr int kStopButtonId = 1001;
constexpr int kClientWidth = 219;
constexpr int kClientHeight = 98;
constexpr const char* kPleaseWait = "しばらくお待ちください"_sjis.data();
constexpr const char* kStopCaption = "中止(&X)"_sjis.data();

std::wstring Wide(const char* sjis) {
  std::u16string text = Cp932ToUtf16(sjis);
  return std::wstring(text.begin(), text.end());
}

HINSTANCE ThisModule() {
  HMODULE module = nullptr;
  GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                     reinterpret_cast<LPCWSTR>(&ThisModule), &module);
  return module;
}

}  // namespace

struct WaitWindow::Impl {
  HWND form = nullptr;
  HWND label = nullptr;
  HFONT font = nullptr;
  HBRUSH white = nullptr;

  static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
};

LRESULT CALLBACK WaitWindow::Impl::Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* owner = reinterpret_cast<WaitWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  switch (message) {
    case WM_COMMAND:
      if (owner && LOWORD(wParam) == kStopButtonId && HIWORD(wParam) == BN_CLICKED) {
        owner->BtnStopClick();
        return 0;
      }
      break;
    case WM_CTLCOLORSTATIC:
      if (owner) {
        HDC dc = reinterpret_cast<HDC>(wParam);
        SetBkColor(dc, RGB(255, 255, 255));
        SetTextColor(dc, reinterpret_cast<HWND>(lParam) == owner->impl_->label ? RGB(0, 0, 128)
                                                                                : RGB(0, 0, 0));
        return reinterpret_cast<LRESULT>(owner->impl_->white);
      }
      break;
    case WM_CLOSE:
      // Closing only hides the form (it arrives while the run pumps, so the
      // messages pending behind it run in that same pump); the run owns the
      // window until it ends.
      ShowWindow(hwnd, SW_HIDE);
      return 0;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

WaitWindow::WaitWindow(bool& stopFlag) : stopFlag_(stopFlag), impl_(std::make_unique<Impl>()) {
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_PROGRESS_CLASS};
  InitCommonControlsEx(&controls);
  HINSTANCE module = ThisModule();
  impl_->white = CreateSolidBrush(RGB(255, 255, 255));

  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.lpfnWndProc = &Impl::Procedure;
  windowClass.hInstance = module;
  windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  windowClass.hbrBackground = impl_->white;
  windowClass.lpszClassName = kClassName;
  RegisterClassExW(&windowClass);  // fails harmlessly when already registered

  // Single border, a caption without border icons, top-most, centred.
  const DWORD style = WS_POPUP | WS_CAPTION | WS_BORDER;
  const DWORD exStyle = WS_EX_TOPMOST | WS_EX_DLGMODALFRAME;
  RECT frame{0, 0, kClientWidth, kClientHeight};
  AdjustWindowRectEx(&frame, style, FALSE, exStyle);
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  const int left = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
  const int top = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
  HWND form = CreateWindowExW(exStyle, kClassName, L"", style, left, top, width, height, nullptr,
                              nullptr, module, nullptr);
  if (!form) return;  // no display: the run goes on without a window
  impl_->form = form;
  SetWindowLongPtrW(form, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));

  impl_->font = CreateFontW(-12, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET,
                            OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                            DEFAULT_PITCH | FF_DONTCARE, L"MS UI Gothic");
  auto child = [&](const wchar_t* cls, const std::wstring& text, DWORD extra, int x, int y, int w,
                   int h, int id) {
    HWND control = CreateWindowExW(0, cls, text.c_str(), WS_CHILD | WS_VISIBLE | extra, x, y, w, h,
                                   form, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), module,
                                   nullptr);
    if (control && impl_->font) SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(impl_->font), FALSE);
    return control;
  };
  impl_->label = child(L"STATIC", Wide(kPleaseWait), SS_LEFT, 20, 7, 180, 14, 0);
  HWND progress = child(PROGRESS_CLASSW, L"", 0, 16, 24, 185, 25, 0);
  if (progress) SendMessageW(progress, PBM_SETRANGE, 0, MAKELPARAM(0, 100));
  child(L"STATIC", L"-/-", SS_RIGHT, 183, 52, 20, 14, 0);
  child(L"BUTTON", Wide(kStopCaption), BS_PUSHBUTTON, 56, 64, 105, 25, kStopButtonId);
}

WaitWindow::~WaitWindow() {
  if (impl_->form) {
    SetWindowLongPtrW(impl_->form, GWLP_USERDATA, 0);
    DestroyWindow(impl_->form);
  }
  if (impl_->font) DeleteObject(impl_->font);
  if (impl_->white) DeleteObject(impl_->white);
}

void WaitWindow::Pump() {
  // A window procedure may leave an invalid floating-point operation behind;
  // with the FPU's exceptions masked meanwhile it cannot trap, and its status
  // is cleared afterwards. Anything else is not our business here.
  unsigned int saved = _controlfp(0, 0);
  _controlfp(_MCW_EM, _MCW_EM);
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(message.wParam));  // leave it for the host's loop
      break;
    }
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  _clearfp();
  _controlfp(saved, _MCW_EM);
}

void WaitWindow::PumpFor(int milliseconds) {
  const ULONGLONG deadline = GetTickCount64() + static_cast<ULONGLONG>(milliseconds > 0 ? milliseconds : 0);
  Pump();
  for (ULONGLONG now = GetTickCount64(); !stopFlag_ && now < deadline; now = GetTickCount64()) {
    // Wakes for the next message (the stop button) or at the deadline.
    MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(deadline - now), QS_ALLINPUT);
    Pump();
  }
}

void WaitWindow::BtnStopClick() {
  stopFlag_ = true;
  if (impl_->form) PostMessageW(impl_->form, WM_CLOSE, 0, 0);
}

bool WaitWindow::HasWindow() const { return impl_->form != nullptr; }

}  // namespace okuzuke
