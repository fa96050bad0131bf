// Start-up baseline: the setup's first show made the plain way, straight on the Windows API
// with no toolkit. It does the floor's system work and the setup's other start-up work (the
// four pictures decoded, with the image library, since decoding is not the toolkit's), then
// creates every window and control the setup creates before it shows its window, hidden or
// not: the same classes, styles, extended styles, identifiers, places, texts, fonts and
// colours, in the same order. What the setup spends beyond this is the toolkit's cost.
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>
#include <richedit.h>
#include <shlobj.h>
#include <stdio.h>
#include "bench/plain_window.h"
#include "image/image.h"
#include "image/png_decoder.h"
#include "payload/payload.h"
#include "payload/product_version.h"
#include "runtime/heaps.h"
#include "runtime/protected_start.h"
#include "runtime/system_library.h"
#include "wizard/gadgets.h"

#ifndef LOAD_LIBRARY_SEARCH_SYSTEM32
#define LOAD_LIBRARY_SEARCH_SYSTEM32 0x00000800
#endif

namespace {

constexpr COLORREF WindowGrey = RGB(150, 150, 150);
constexpr COLORREF PageGrey = RGB(190, 190, 190);
constexpr COLORREF LightGrey = RGB(220, 220, 220);
constexpr COLORREF NoColor = CLR_INVALID;

char ProgramFiles[MAX_PATH];
char CommonPrograms[MAX_PATH];
HFONT Fonts[4];  // title, body, heading, small
enum FontNumber { Default = -1, Title, Body, Heading, Small };
HBRUSH Brushes[3];  // page grey, light grey, window grey

HBRUSH BrushOf(COLORREF color) {
  if (color == PageGrey) return Brushes[0];
  if (color == LightGrey) return Brushes[1];
  return Brushes[2];
}

// The back colour of each control that has one, by identifier.
COLORREF BackColors[100];

void StartCommonControlsAndCom() {
  INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  CoInitialize(nullptr);
}

void FolderPath(int folder, char* path) {
  path[0] = 0;
  LPITEMIDLIST list = nullptr;
  if (FAILED(SHGetSpecialFolderLocation(nullptr, folder, &list)) || !list) return;
  if (SHGetPathFromIDListA(list, path)) lstrcatA(path, "\\");
  CoTaskMemFree(list);
}

void LookUpShellFolders() {
  char desktop[MAX_PATH], appData[MAX_PATH];
  FolderPath(CSIDL_COMMON_PROGRAMS, CommonPrograms);
  FolderPath(CSIDL_PROGRAM_FILES, ProgramFiles);
  FolderPath(CSIDL_COMMON_DESKTOPDIRECTORY, desktop);
  FolderPath(CSIDL_APPDATA, appData);
}

void CreateFonts() {
  struct Face { const char* name; int points; int weight; };
  const Face faces[] = {{"Times New Roman", 14, FW_NORMAL}, {"Arial", 10, FW_NORMAL},
                        {"Arial", 10, FW_BOLD}, {"Arial", 9, FW_NORMAL}};
  HDC display = GetDC(nullptr);
  int density = GetDeviceCaps(display, LOGPIXELSY);
  ReleaseDC(nullptr, display);
  for (int i = 0; i < 4; ++i)
    Fonts[i] = CreateFontA(-MulDiv(faces[i].points, density, 72), 0, 0, 0, faces[i].weight, 0, 0, 0,
                           DEFAULT_CHARSET, 0, 0, DEFAULT_QUALITY, 0, faces[i].name);
}

// The four pictures, decoded from the embedded data as the setup decodes them.
HANDLE Pictures[4];
void DecodePictures() {
  ProgramHeapStart();
  DecodersStart();
  ImagesStart();
  UsePngDecoder();
  for (int image = 0; image < 4; ++image) {
    EmbeddedBlock block = image < 2 ? EmbeddedPicture(image) : EmbeddedIcon(image);
    if (ImageFromMemory(image, block.data, block.size)) Pictures[image] = ImageScale(image, 96, 96);
  }
}

LRESULT ControlColor(HWND control, HDC dc, int systemColor) {
  int id = GetDlgCtrlID(control);
  COLORREF color = id >= 0 && id < 100 ? BackColors[id] : NoColor;
  if (color == NoColor) {
    SetBkColor(dc, GetSysColor(systemColor));
    return (LRESULT)GetSysColorBrush(systemColor);
  }
  SetBkColor(dc, color);
  return (LRESULT)BrushOf(color);
}

LRESULT ColorsOrDefault(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CTLCOLORSTATIC) return ControlColor((HWND)lParam, (HDC)wParam, COLOR_BTNFACE);
  if (message == WM_CTLCOLOREDIT) return ControlColor((HWND)lParam, (HDC)wParam, COLOR_WINDOW);
  return DefWindowProcA(window, message, wParam, lParam);
}

LRESULT CALLBACK WizardProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_ERASEBKGND) {
    RECT client;
    GetClientRect(window, &client);
    FillRect((HDC)wParam, &client, Brushes[2]);
    return 1;
  }
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return ColorsOrDefault(window, message, wParam, lParam);
}

LRESULT CALLBACK ContainerProc(HWND container, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_ERASEBKGND) {
    RECT client;
    GetClientRect(container, &client);
    FillRect((HDC)wParam, &client, (HBRUSH)GetWindowLongPtrA(container, 0));
    return 1;
  }
  return ColorsOrDefault(container, message, wParam, lParam);
}

// Image boxes are plain statics without an image style: they draw their picture themselves.
WNDPROC StaticProc;
LRESULT CALLBACK ImageBoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != WM_PAINT) return CallWindowProcA(StaticProc, box, message, wParam, lParam);
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(box, &paint);
  HANDLE picture = GetPropA(box, "picture");
  if (GetObjectType(picture) == OBJ_BITMAP) {
    BITMAP bitmap;
    GetObjectA(picture, sizeof bitmap, &bitmap);
    HDC memory = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(memory, picture);
    BitBlt(dc, 0, 0, bitmap.bmWidth, bitmap.bmHeight, memory, 0, 0, SRCCOPY);
    SelectObject(memory, old);
    DeleteDC(memory);
  } else if (picture) {
    DrawIconEx(dc, 0, 0, (HICON)picture, 0, 0, 0, nullptr, DI_NORMAL);
  }
  EndPaint(box, &paint);
  return 0;
}

void RegisterClasses(HINSTANCE instance) {
  WNDCLASSA windowClass = {};
  windowClass.style = CS_DBLCLKS;
  windowClass.lpfnWndProc = WizardProc;
  windowClass.hInstance = instance;
  windowClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(1));
  windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  windowClass.hbrBackground = (HBRUSH)(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = "WindowClass_0";
  RegisterClassA(&windowClass);
  windowClass.style = 0;
  windowClass.lpfnWndProc = ContainerProc;
  windowClass.cbWndExtra = sizeof(LONG_PTR);
  windowClass.hIcon = nullptr;
  windowClass.lpszClassName = "VexaContainer";
  RegisterClassA(&windowClass);
}

// One control of the setup's first show.
enum Kind : unsigned char { Button, CheckBox, Edit, Label, List, Image, Container, Progress, Editor, Close };

struct Row {
  int id;
  Kind kind;
  short x, y, width, height;
  const char* text;
  DWORD flags;  // Edit: extra styles; Image: the picture; Progress: its style
  int font;
  COLORREF back;
  bool hidden;
  bool checked;
};

constexpr DWORD LicenceField = ES_CENTER | ES_RIGHT | ES_MULTILINE | ES_AUTOVSCROLL | WS_VSCROLL | ES_READONLY;
char DestinationText[MAX_PATH + 16];
char FreeSpaceText[64];
const char* const Licence = "licence";  // stands for the licence text, set once the field has its font

const Row Rows[] = {
    {BtnBack, Button, 240, 325, 80, 24, "< Назад", 0, Default, NoColor, true, false},
    {BtnNext, Button, 324, 325, 80, 24, "Далее >", 0, Default, NoColor, false, false},
    {BtnInstall, Button, 324, 325, 80, 24, "Установить", 0, Default, NoColor, true, false},
    {BtnCancel, Button, 410, 325, 80, 24, "Отмена", 0, Default, NoColor, false, false},
    {BtnFinish, Button, 410, 325, 80, 24, "Завершить", 0, Default, NoColor, true, false},
    {ImgCorner, Image, 442, 4, 54, 54, nullptr, 1, Default, NoColor, false, false},
    {PnlWelcome, Container, 0, 0, 500, 312, nullptr, 0, Default, PageGrey, false, false},
    {ImgSide, Image, 0, 0, 160, 310, nullptr, 0, Default, NoColor, false, false},
    {TxtWelcomeTitle, Label, 190, 20, 280, 50, "Добро пожаловать в мастер установки " BRX_PRODUCT_TITLE, 0, Title,
     PageGrey, false, false},
    {TxtWelcomeBody, Label, 190, 80, 280, 160, nullptr, 0, Body, PageGrey, false, false},
    {PnlWelcome, Close},
    {PnlLicence, Container, 0, 62, 500, 250, nullptr, 0, Default, PageGrey, true, false},
    {TxtLicenceHint, Label, 20, 10, 490, 20,
     "Используйте клавиши \"PageUp\" и \"PageDown\" для перемещения по тексту", 0, Body, PageGrey, false, false},
    {EdLicence, Edit, 20, 30, 460, 170, Licence, LicenceField, Body, LightGrey, false, false},
    {ChkAccept, CheckBox, 20, 222, 13, 13, "", 0, Default, NoColor, false, false},
    {TxtAccept, Label, 40, 220, 390, 20, "Я принимаю условия лицензионного соглашения", 0, Body, PageGrey, false,
     false},
    {PnlLicence, Close},
    {PnlHeader, Container, 4, 4, 434, 54, nullptr, 0, Default, LightGrey, false, false},
    {TxtHeading, Label, 10, 0, 400, 17, "Пробный заголовок", 0, Heading, LightGrey, false, false},
    {TxtSubheading, Label, 30, 17, 380, 34, "Пробный текст", 0, Small, LightGrey, false, false},
    {PnlHeader, Close, 0, 0, 0, 0, nullptr, 0, Default, NoColor, true, false},
    {PnlDestination, Container, 0, 62, 500, 250, nullptr, 0, Default, PageGrey, true, false},
    {ImgDestination, Image, 40, 15, 32, 32, nullptr, 2, Default, NoColor, false, false},
    {TxtDestinationIntro, Label, 80, 24, 350, 15, "Программа установит " BRX_PRODUCT_TITLE "  в следующую папку:", 0,
     Small, PageGrey, false, false},
    {TxtDestinationHint, Label, 40, 58, 350, 30,
     "Нажмите \"Далее\", чтобы продолжить.\nЕсли Вы хотите выбрать другую папку, нажмите \"Обзор\"", 0, Small,
     PageGrey, false, false},
    {FldDestination, Edit, 40, 90, 350, 20, DestinationText, 0, Default, NoColor, false, false},
    {BtnBrowse, Button, 400, 88, 80, 24, "Обзор", 0, Default, NoColor, false, false},
    {TxtSpaceNeeded, Label, 40, 200, 400, 15, "Требуется 630 Кб свободного дискового пространства", 0, Small,
     PageGrey, false, false},
    {TxtFreeSpace, Label, 40, 220, 400, 15, FreeSpaceText, 0, Small, PageGrey, false, false},
    {PnlDestination, Close},
    {PnlStartMenu, Container, 0, 62, 500, 250, nullptr, 0, Default, PageGrey, true, false},
    {ImgStartMenu, Image, 40, 15, 32, 32, nullptr, 3, Default, NoColor, false, false},
    {TxtStartMenuIntro, Label, 80, 24, 350, 15, "Программа создаст ярлыки в следующей папке меню \"Пуск\":", 0,
     Small, PageGrey, false, false},
    {TxtStartMenuHint, Label, 40, 50, 350, 30,
     "Выберите папку в меню\"Пуск\", куда будут помещены ярлыки программы. Вы также можете ввести другое имя папки",
     0, Small, PageGrey, false, false},
    {FldStartMenuFolder, Edit, 40, 82, 400, 20, "Brindlex", 0, Default, NoColor, false, false},
    {LstStartMenu, List, 40, 105, 400, 120, nullptr, 0, Default, NoColor, false, false},
    {ChkNoShortcuts, CheckBox, 42, 232, 13, 13, "Не создавать ярлыки", 0, Default, NoColor, false, false},
    {TxtNoShortcuts, Label, 60, 230, 350, 15, "Не создавать ярлыки", 0, Small, PageGrey, false, false},
    {PnlStartMenu, Close},
    {PnlTasks, Container, 0, 62, 500, 250, nullptr, 0, Default, PageGrey, true, false},
    {TxtTasksIntro, Label, 40, 15, 450, 60,
     "Выберите дополнительные задачи, которые должны выполнятся при установке " BRX_PRODUCT_TITLE ", после этого "
     "нажмите \"Далее\"\n\nДополнительные задачи:",
     0, Small, PageGrey, false, false},
    {ChkDesktopIcon, CheckBox, 40, 80, 13, 13, "", 0, Default, NoColor, false, true},
    {TxtDesktopIcon, Label, 60, 80, 350, 15, "Создать значок на рабочем столе", 0, Small, PageGrey, false, false},
    {ChkQuickLaunch, CheckBox, 40, 100, 13, 13, "", 0, Default, NoColor, false, false},
    {TxtQuickLaunch, Label, 60, 100, 350, 15, "Создать значок на Панели быстрого запуска", 0, Small, PageGrey,
     false, false},
    {PnlTasks, Close},
    {PnlReady, Container, 0, 62, 500, 250, nullptr, 0, Default, PageGrey, true, false},
    {TxtReadyHint, Label, 40, 15, 400, 35,
     "Нажмите \"Установить\", чтобы продолжить, или \"Назад\", если Вы хотите просмотреть или изменить опции "
     "установки.",
     0, Small, PageGrey, false, false},
    {EdSummary, Editor, 40, 50, 400, 180, nullptr, ES_READONLY, Small, LightGrey, false, false},
    {PnlReady, Close},
    {PnlInstalling, Container, 0, 62, 500, 250, nullptr, 0, Default, PageGrey, true, false},
    {TxtInstallStep, Label, 40, 15, 400, 15, "Распаковка файлов...", 0, Small, PageGrey, false, false},
    {TxtInstallFile, Label, 40, 35, 450, 15, "", 0, Small, PageGrey, false, false},
    {PrgInstall, Progress, 40, 58, 420, 22, nullptr, PBS_SMOOTH, Default, NoColor, false, false},
    {PnlInstalling, Close},
};

constexpr DWORD ButtonStyle = WS_CHILD | WS_VISIBLE | WS_GROUP | WS_TABSTOP;
constexpr DWORD EditStyle = WS_CHILD | WS_VISIBLE | WS_GROUP | WS_TABSTOP | ES_AUTOHSCROLL;
constexpr DWORD ListStyle = WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | WS_GROUP | WS_TABSTOP |
                            LBS_NOINTEGRALHEIGHT | LBS_HASSTRINGS | LBS_NOTIFY;
constexpr DWORD EditorStyle = WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | WS_TABSTOP | ES_WANTRETURN |
                              ES_NOHIDESEL | ES_AUTOHSCROLL | ES_AUTOVSCROLL | ES_MULTILINE;

void FillWithFolders(HWND list) {
  char pattern[MAX_PATH + 4];
  wsprintfA(pattern, "%s*.*", CommonPrograms);
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA(pattern, &found);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) continue;
    if (!lstrcmpA(found.cFileName, ".") || !lstrcmpA(found.cFileName, "..")) continue;
    SendMessageA(list, LB_ADDSTRING, 0, (LPARAM)found.cFileName);
  } while (FindNextFileA(search, &found));
  FindClose(search);
}

HWND Create(const Row& row, HWND parent, HINSTANCE instance) {
  const char* className = "Button";
  const char* text = row.text;
  DWORD style = ButtonStyle, extended = 0;
  switch (row.kind) {
    case Button: break;
    case CheckBox: style |= BS_AUTOCHECKBOX; break;
    case Edit: className = "Edit"; style = EditStyle | row.flags; extended = WS_EX_CLIENTEDGE; break;
    case Label: className = "Static"; style = WS_CHILD | WS_VISIBLE | WS_GROUP; break;
    case List: className = "ListBox"; style = ListStyle; extended = WS_EX_CLIENTEDGE; break;
    case Image: className = "STATIC"; style = WS_CHILD | WS_VISIBLE | SS_NOTIFY; break;
    case Container: className = "VexaContainer"; style = WS_CHILD | WS_VISIBLE; extended = WS_EX_STATICEDGE; break;
    case Progress: className = PROGRESS_CLASSA; style = WS_CHILD | WS_VISIBLE | row.flags; break;
    case Editor: className = "RichEdit20A"; style = EditorStyle | row.flags; extended = WS_EX_CLIENTEDGE; break;
    case Close: return nullptr;
  }
  if (row.id == TxtWelcomeBody) text = WelcomeText().text;
  if (text == Licence) text = nullptr;
  if (row.hidden) style &= ~WS_VISIBLE;
  HWND control = CreateWindowExA(extended, className, text, style, row.x, row.y, row.width, row.height, parent,
                                 (HMENU)(INT_PTR)row.id, instance, nullptr);
  HFONT font = row.font == Default ? (HFONT)GetStockObject(DEFAULT_GUI_FONT) : Fonts[row.font];
  SendMessageA(control, WM_SETFONT, (WPARAM)font, IsWindowVisible(control));
  if (row.back != NoColor) BackColors[row.id] = row.back;
  switch (row.kind) {
    case Edit:
      if (row.text == Licence) SetWindowTextA(control, LicenceText().text);
      break;
    case List: FillWithFolders(control); break;
    case Image: {
      HANDLE picture = Pictures[row.flags];
      StaticProc = (WNDPROC)SetWindowLongPtrA(control, GWLP_WNDPROC, (LONG_PTR)ImageBoxProc);
      SetPropA(control, "picture", picture);
      BITMAP bitmap = {};
      ICONINFO icon = {};
      if (GetObjectType(picture) == OBJ_BITMAP) {
        GetObjectA(picture, sizeof bitmap, &bitmap);
      } else if (picture && GetIconInfo((HICON)picture, &icon)) {
        GetObjectA(icon.hbmColor ? icon.hbmColor : icon.hbmMask, sizeof bitmap, &bitmap);
        if (icon.hbmColor) DeleteObject(icon.hbmColor);
        DeleteObject(icon.hbmMask);
      }
      if (bitmap.bmWidth && (bitmap.bmWidth != row.width || bitmap.bmHeight != row.height))
        SetWindowPos(control, nullptr, 0, 0, bitmap.bmWidth, bitmap.bmHeight,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
      break;
    }
    case Container: SetWindowLongPtrA(control, 0, (LONG_PTR)BrushOf(row.back)); break;
    case Progress: SendMessageA(control, PBM_SETRANGE32, 0, 16); break;
    case Editor: {
      SendMessageA(control, EM_SETBKGNDCOLOR, 0, (LPARAM)row.back);
      SendMessageA(control, EM_EXLIMITTEXT, 0, 0x7FFFFFFF);
      break;
    }
    default: break;
  }
  if (row.checked) SendMessageA(control, BM_SETCHECK, BST_CHECKED, 0);
  return control;
}

HWND CreateWizard(HINSTANCE instance) {
  DWORD style = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
  RECT frame = {0, 0, 500, 358};
  AdjustWindowRect(&frame, style, FALSE);
  int width = frame.right - frame.left, height = frame.bottom - frame.top;
  HWND window = CreateWindowExA(0, "WindowClass_0", "Установка программы " BRX_PRODUCT_TITLE, style,
                                (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                                (GetSystemMetrics(SM_CYSCREEN) - height) / 2, width, height, nullptr, nullptr,
                                instance, nullptr);
  HWND parents[4] = {window};
  int depth = 0;
  for (const Row& row : Rows) {
    if (row.kind == Close) {
      HWND closed = parents[depth--];
      if (row.hidden) ShowWindow(closed, SW_HIDE);
      continue;
    }
    if (row.id == TxtFreeSpace) {
      ULARGE_INTEGER available = {};
      char root[4] = {DestinationText[0], DestinationText[1], '\\', 0};
      GetDiskFreeSpaceExA(root, &available, nullptr, nullptr);
      wsprintfA(FreeSpaceText, "Доступно на диске  %d Мб", (int)(available.QuadPart >> 20));
    }
    HWND control = Create(row, parents[depth], instance);
    if (row.kind == Container) parents[++depth] = control;
  }
  return window;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  ProtectProcess();
  StartCommonControlsAndCom();
  LookUpShellFolders();
  wsprintfA(DestinationText, "%sBrindlex\\", ProgramFiles);
  CreateFonts();
  Brushes[0] = CreateSolidBrush(PageGrey);
  Brushes[1] = CreateSolidBrush(LightGrey);
  Brushes[2] = CreateSolidBrush(WindowGrey);
  DecodePictures();
  LoadLibraryExA("RICHED20.DLL", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
  RegisterClasses(instance);
  ShowAndRun(CreateWizard(instance));
}
