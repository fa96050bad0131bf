#include "kind_test_window.h"
#include "runtime/strings.h"
#include "toolkit/gadget.h"

std::string GadgetText(int gadget) {
  int32_t mark = ScratchMark();
  GadgetGetText(gadget, mark);
  std::string text = ScratchAt(mark);
  ScratchRewind(mark);
  return text;
}

std::string ClassOf(HWND control) {
  char name[64] = {};
  GetClassNameA(control, name, sizeof name);
  return name;
}

SIZE WindowSize(HWND control) {
  RECT area = {};
  GetWindowRect(control, &area);
  return {area.right - area.left, area.bottom - area.top};
}
