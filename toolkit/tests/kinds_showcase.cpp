// One gadget of each kind on a coloured container, for looking at: the window stays open
// for the number of seconds given (default 15), then the program ends.
#include <windows.h>
#include <stdlib.h>
#include <initializer_list>
#include "toolkit/fonts.h"
#include "toolkit/gadget.h"
#include "toolkit/gadget_kinds.h"
#include "toolkit/window.h"
#include "toolkit_libraries.h"

namespace {

// A 48 by 48 picture: a blue-to-green gradient with a dark frame.
HBITMAP GradientBitmap() {
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = 48;
  info.bmiHeader.biHeight = -48;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  DWORD* pixels = static_cast<DWORD*>(bits);
  for (int y = 0; y < 48; ++y)
    for (int x = 0; x < 48; ++x) {
      bool frame = x < 2 || y < 2 || x > 45 || y > 45;
      pixels[y * 48 + x] = frame ? 0x202020 : (DWORD)((x * 5) << 8 | (255 - y * 5));
    }
  return bitmap;
}

}  // namespace

int main(int argc, char** argv) {
  int seconds = argc > 1 ? atoi(argv[1]) : 15;
  StartToolkitLibraries();

  GadgetSetFont(-1, (HFONT)FontLoad(1, "Arial", 10));
  WindowOpen(0, 0, 0, 560, 400, "Гаджеты", WindowCentreOnScreen | WS_CAPTION | WS_SYSMENU);
  WindowSetColor(0, 0x969696);

  CreateContainer(10, 10, 10, 540, 380, ContainerStaticEdge);
  GadgetSetColor(10, ColorBack, 0xDCDCDC);
  CreateLabel(11, 10, 10, 250, 20, "Метка на цвете контейнера");
  GadgetSetColor(11, ColorBack, 0xDCDCDC);
  CreateLabel(12, 270, 10, 250, 20, "Метка: только цвет текста");
  GadgetSetColor(12, ColorFront, 0x0000C0);
  CreateButton(13, 10, 40, 100, 26, "Кнопка");
  CreateCheckBox(14, 120, 40, 140, 26, "Флажок");
  GadgetSetState(14, 1);
  CreateEditField(15, 270, 40, 250, 22, "Поле ввода");
  CreateEditField(16, 270, 70, 250, 22, "Цветное поле");
  GadgetSetColor(16, ColorFront, 0xFFFFFF);
  GadgetSetColor(16, ColorBack, 0x804000);
  CreateListBox(17, 10, 80, 250, 100);
  for (const char* item : {"Первый", "Второй", "Третий", "Четвёртый"}) GadgetAddItem(17, -1, item);
  GadgetSetState(17, 1);
  CreateImageBox(18, 270, 100, 54, 54, GradientBitmap());
  CreateImageBox(19, 340, 100, 10, 10, LoadIconA(nullptr, IDI_INFORMATION));
  CreateProgressBar(20, 10, 190, 510, 18, 0, 16, 1);
  GadgetSetState(20, 10);
  CreateTextEditor(21, 10, 220, 510, 140, ES_READONLY);
  for (const char* line : {"", "Текстовый редактор только для чтения.", "Первая строка пуста.", "Последняя строка."})
    GadgetAddItem(21, -1, line);
  GadgetListClose();

  DWORD end = GetTickCount() + seconds * 1000;
  while ((int)(end - GetTickCount()) > 0) {
    if (WaitEventTimeout(100) == EvClose) break;
  }
  StopToolkitLibraries();
  return 0;
}
