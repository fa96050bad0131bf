#include "bench/plain_window.h"

namespace {

constexpr int ClientWidth = 500;
constexpr int ClientHeight = 358;
const char ClassName[] = "BenchPlainWindow";

LRESULT CALLBACK PlainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

// The wizard's button row: Back, Next, Cancel and one more.
void AddButtons(HWND window) {
  const char* const labels[] = {"< Назад", "Далее >", "Отмена", "Готово"};
  for (int i = 0; i < 4; ++i)
    CreateWindowExA(0, "BUTTON", labels[i], WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON,
                    160 + 84 * i, 325, 75, 23, window, (HMENU)(INT_PTR)(21 + i),
                    GetModuleHandleA(nullptr), nullptr);
}

}  // namespace

HWND CreatePlainWindow() {
  HINSTANCE instance = GetModuleHandleA(nullptr);
  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = PlainWindowProc;
  windowClass.hInstance = instance;
  windowClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(1));
  windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  windowClass.hbrBackground = (HBRUSH)(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = ClassName;
  RegisterClassA(&windowClass);

  DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
  RECT frame = {0, 0, ClientWidth, ClientHeight};
  AdjustWindowRect(&frame, style, FALSE);
  int width = frame.right - frame.left, height = frame.bottom - frame.top;
  HWND window = CreateWindowExA(0, ClassName, "Plain window", style,
                                (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                                (GetSystemMetrics(SM_CYSCREEN) - height) / 2, width, height,
                                nullptr, nullptr, instance, nullptr);
  AddButtons(window);
  return window;
}

void ShowAndRun(HWND window) {
  ShowWindow(window, SW_SHOW);
  UpdateWindow(window);
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  ExitProcess(0);
}
