// Progress bars: native progress controls with a 32-bit range; their state is the position.
#include "toolkit/gadget_kinds.h"
#include "toolkit/gadget_frame.h"
#include <commctrl.h>

namespace {

intptr_t& BackColor(GadgetRecord* gadget) { return gadget->word[0]; }
intptr_t& FrontColor(GadgetRecord* gadget) { return gadget->word[1]; }

intptr_t Position(GadgetRecord* gadget) { return (int32_t)SendMessageA(gadget->handle, PBM_GETPOS, 0, 0); }

void SetPosition(GadgetRecord* gadget, intptr_t position) {
  SendMessageA(gadget->handle, PBM_SETPOS, (WPARAM)position, 0);
}

void SetBarColor(GadgetRecord* gadget, int32_t which, int32_t color) {
  LPARAM native = color == -1 ? (LPARAM)CLR_DEFAULT : (LPARAM)color;
  if (which == ColorFront) {
    SendMessageA(gadget->handle, PBM_SETBARCOLOR, 0, native);
    FrontColor(gadget) = color;
  } else if (which == ColorBack) {
    SendMessageA(gadget->handle, PBM_SETBKCOLOR, 0, native);
    BackColor(gadget) = color;
  }
}

const GadgetKind ProgressBarKind = {KindProgressBar, nullptr, nullptr, Position, SetPosition,
                                    nullptr, nullptr, nullptr, nullptr, SetBarColor};

}  // namespace

intptr_t CreateProgressBar(intptr_t number, int x, int y, int width, int height, int32_t minimum, int32_t maximum,
                           uint32_t flags) {
  HWND control = CreateGadgetControl(number, 0, PROGRESS_CLASSA, nullptr, WS_CHILD | WS_VISIBLE | flags, x, y, width,
                                     height, 0);
  if (!control) return 0;
  GadgetRecord* record = TakeGadgetRecord(number, control);
  if (!record) return 0;
  BackColor(record) = -1;
  FrontColor(record) = -1;
  SendMessageA(control, PBM_SETRANGE32, (WPARAM)minimum, (LPARAM)maximum);
  return RegisterGadget(number, record, control, &ProgressBarKind);
}
