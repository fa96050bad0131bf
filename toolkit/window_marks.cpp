#include "toolkit/window_marks.h"
#include "runtime/heaps.h"

namespace {

const char WindowIdProperty[] = "VX_WindowID";
constexpr int32_t MarkGrowth = 4;

struct WindowMark {
  HWND window;
  intptr_t number;
};

WindowMark* Marks;  // owned; a program has only a few windows
int32_t MarkCount;
int32_t MarkCapacity;

WindowMark* MarkOf(HWND window) {
  for (int32_t i = 0; i < MarkCount; ++i)
    if (Marks[i].window == window) return &Marks[i];
  return nullptr;
}

}  // namespace

void MarkToolkitWindow(HWND window, intptr_t number) {
  SetPropA(window, WindowIdProperty, (HANDLE)(number + 1));
  WindowMark* mark = MarkOf(window);
  if (!mark) {
    if (MarkCount == MarkCapacity) {
      WindowMark* grown = static_cast<WindowMark*>(
          ProgramRealloc(Marks, (size_t)(MarkCapacity + MarkGrowth) * sizeof(WindowMark)));
      if (!grown) return;
      Marks = grown;
      MarkCapacity += MarkGrowth;
    }
    mark = &Marks[MarkCount++];
    mark->window = window;
  }
  mark->number = number;
}

void UnmarkToolkitWindow(HWND window) {
  WindowMark* mark = MarkOf(window);
  if (!mark) return;
  RemovePropA(window, WindowIdProperty);
  *mark = Marks[--MarkCount];
}

intptr_t MarkedWindowNumber(HWND window) {
  if (!window) return -1;
  WindowMark* mark = MarkOf(window);
  return mark ? mark->number : -1;
}
