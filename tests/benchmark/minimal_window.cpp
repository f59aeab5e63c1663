// The floor that Movaro.exe's start-up is compared with: the least a program
// must do to show a window like Movaro's main window, built and linked the
// same way, so what remains of the difference is Movaro's own work.
#include <windows.h>

#include <commctrl.h>

namespace {

constexpr char kClassName[] = "MovaroMinimalWindow";
constexpr int kWidth = 388;
constexpr int kHeight = 245;
constexpr int kStatusBarId = 1;
// Movaro's window style, so that the system draws the same frame.
constexpr DWORD kWindowStyle =
    WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;

LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) {
    ::PostQuitMessage(0);
    return 0;
  }
  return ::DefWindowProcA(window, message, wParam, lParam);
}

// Two parts like Movaro's status bar; the second carries the text the benchmark
// waits for in both programs.
void MakeStatusBar(HWND window, HINSTANCE instance) {
  const HWND bar =
      ::CreateWindowExA(0, STATUSCLASSNAMEA, "", WS_CHILD | WS_VISIBLE | CCS_BOTTOM, 0, 0, 0, 0,
                        window, reinterpret_cast<HMENU>(kStatusBarId), instance, nullptr);
  int edges[] = {8, -1};
  ::SendMessageA(bar, SB_SETPARTS, 2, reinterpret_cast<LPARAM>(edges));
  ::SendMessageA(bar, SB_SETTEXTA, 1, reinterpret_cast<LPARAM>("Ready"));
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  const INITCOMMONCONTROLSEX commonControls{sizeof(INITCOMMONCONTROLSEX), ICC_BAR_CLASSES};
  ::InitCommonControlsEx(&commonControls);

  WNDCLASSEXA windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = WindowProcedure;
  windowClass.hInstance = instance;
  windowClass.hCursor = ::LoadCursor(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = kClassName;
  if (::RegisterClassExA(&windowClass) == 0) {
    return 1;
  }
  const int left = (::GetSystemMetrics(SM_CXSCREEN) - kWidth) / 2;
  const int top = (::GetSystemMetrics(SM_CYSCREEN) - kHeight) / 2;
  const HWND window = ::CreateWindowExA(0, kClassName, "Minimal", kWindowStyle, left, top, kWidth,
                                        kHeight, nullptr, nullptr, instance, nullptr);
  if (window == nullptr) {
    return 1;
  }
  MakeStatusBar(window, instance);
  ::ShowWindow(window, SW_SHOW);

  MSG message;
  while (::GetMessageA(&message, nullptr, 0, 0) > 0) {
    if (message.message == WM_KEYDOWN && message.wParam == VK_ESCAPE) {
      ::SendMessageA(window, WM_CLOSE, 0, 0);
      continue;
    }
    ::TranslateMessage(&message);
    ::DispatchMessageA(&message);
  }
  return static_cast<int>(message.wParam);
}
