// Brindlex: a small stand-in for the microcontroller programmer that the setup installs.
// It opens one window with the product name and, when started with a document path (as the
// shortcuts and the "sfr" and "hex" document types start it), shows that path and the
// document's size.
#include <windows.h>
#include <shellapi.h>

#include "payload/product_version.h"
#include "payload/standin/standin.h"

namespace {

constexpr int IconId = 100;

// A bounded wide-character text that is built by appending pieces; what does not fit is cut.
struct TextBuilder {
  wchar_t* text;
  int capacity;
  int length;

  void Append(const wchar_t* piece) {
    while (*piece && length + 1 < capacity) text[length++] = *piece++;
    text[length] = 0;
  }

  void AppendNumber(unsigned long long value) {
    wchar_t digits[24];
    int count = 0;
    do {
      digits[count++] = static_cast<wchar_t>(L'0' + value % 10);
      value /= 10;
    } while (value);
    wchar_t reversed[24];
    for (int i = 0; i < count; ++i) reversed[i] = digits[count - 1 - i];
    reversed[count] = 0;
    Append(reversed);
  }
};

// The text of the document line: which document was given, and its size or why it cannot be
// read. Allocated to fit the path, however long.
wchar_t* Description;

void DescribeDocument(const wchar_t* path) {
  int capacity = (path ? lstrlenW(path) : 0) + 128;
  Description = static_cast<wchar_t*>(HeapAlloc(GetProcessHeap(), 0, capacity * sizeof(wchar_t)));
  if (!Description) return;
  TextBuilder out{Description, capacity, 0};
  out.Append(L"Программатор микроконтроллеров\r\n\r\n");
  if (!path) {
    out.Append(L"Документ не открыт.");
    return;
  }
  out.Append(L"Документ: ");
  out.Append(path);
  out.Append(L"\r\n");
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExW(path, GetFileExInfoStandard, &data) ||
      (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
    out.Append(L"Файл не найден.");
    return;
  }
  out.Append(L"Размер: ");
  out.AppendNumber((static_cast<unsigned long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow);
  out.Append(L" байт");
}

HFONT HeadingFont;

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_CREATE: {
      HINSTANCE instance = reinterpret_cast<CREATESTRUCTW*>(lparam)->hInstance;
      HFONT body = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
      HWND icon = CreateWindowExW(0, L"STATIC", nullptr, WS_CHILD | WS_VISIBLE | SS_ICON, 20, 20,
                                  48, 48, window, reinterpret_cast<HMENU>(IconId), instance, nullptr);
      SendMessageW(icon, STM_SETICON,
                   reinterpret_cast<WPARAM>(LoadImageW(instance, MAKEINTRESOURCEW(1), IMAGE_ICON, 48,
                                                       48, 0)), 0);
      HWND heading = CreateWindowExW(0, L"STATIC", L"" BRX_PRODUCT_TITLE, WS_CHILD | WS_VISIBLE | SS_NOPREFIX,
                                     84, 20, 420, 24, window, reinterpret_cast<HMENU>(StandinHeadingId),
                                     instance, nullptr);
      HWND text = CreateWindowExW(0, L"STATIC", Description,
                                  WS_CHILD | WS_VISIBLE | SS_NOPREFIX | SS_EDITCONTROL, 84, 50, 420,
                                  110, window, reinterpret_cast<HMENU>(StandinTextId), instance,
                                  nullptr);
      SendMessageW(heading, WM_SETFONT, reinterpret_cast<WPARAM>(HeadingFont ? HeadingFont : body), 0);
      SendMessageW(text, WM_SETFONT, reinterpret_cast<WPARAM>(body), 0);
      return 0;
    }
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  DescribeDocument(argv && argc > 1 ? argv[1] : nullptr);
  if (argv) LocalFree(argv);

  WNDCLASSEXW windowClass = {};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = instance;
  windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(1));
  windowClass.hIconSm = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(1), IMAGE_ICON,
                                                      GetSystemMetrics(SM_CXSMICON),
                                                      GetSystemMetrics(SM_CYSMICON), 0));
  windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = StandinWindowClass;
  if (!RegisterClassExW(&windowClass)) return 1;

  HeadingFont = CreateFontW(-16, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                            OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                            DEFAULT_PITCH | FF_SWISS, L"Arial");
  RECT frame = {0, 0, 520, 180};
  DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
  AdjustWindowRect(&frame, style, FALSE);
  HWND window = CreateWindowExW(0, StandinWindowClass, StandinTitle, style, CW_USEDEFAULT,
                                CW_USEDEFAULT, frame.right - frame.left, frame.bottom - frame.top,
                                nullptr, nullptr, instance, nullptr);
  if (!window) return 1;
  ShowWindow(window, show);
  UpdateWindow(window);

  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  if (HeadingFont) DeleteObject(HeadingFont);
  return static_cast<int>(message.wParam);
}
