// Labels: native static texts with optional front and back colours.
#include "toolkit/label.h"
#include "toolkit/gadget_kinds.h"
#include "toolkit/control_colors.h"
#include "toolkit/gadget_frame.h"

namespace {

LRESULT LabelNotify(GadgetRecord* gadget, HWND, UINT message, WPARAM wParam, LPARAM) {
  if (message != WM_CTLCOLORSTATIC) return NotHandled;
  return ControlColorAnswer(gadget, (HDC)wParam, COLOR_BTNFACE);
}

constexpr GadgetKind LabelKind =
    GadgetKind::Of(KindLabel).Notify(LabelNotify).Destroy(ControlColorsRelease).Color(ControlColorSet);

constexpr DWORD LabelStyle = WS_CHILD | WS_VISIBLE | WS_GROUP;

}  // namespace

intptr_t CreateLabel(intptr_t number, int x, int y, int width, int height, const char* text, uint32_t flags) {
  DWORD extendedStyle = (flags & GadgetFlagSwapClientEdge) ? WS_EX_CLIENTEDGE : 0;
  HWND control = CreateGadgetControl(number, extendedStyle, "Static", text, LabelStyle | flags, x, y, width, height);
  if (!control) return 0;
  GadgetRecord* record = TakeGadgetRecord(number, control);
  if (!record) return 0;
  ControlColorsInit(record);
  return RegisterGadget(number, record, control, &LabelKind);
}
