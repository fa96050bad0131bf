// Progress bars: native progress controls with a 32-bit range; their state is the position.
#include "toolkit/progress_bar.h"
#include "toolkit/gadget_frame.h"
#include <commctrl.h>

namespace {

intptr_t Position(GadgetRecord* gadget) { return (int32_t)SendMessageA(gadget->handle, PBM_GETPOS, 0, 0); }

void SetPosition(GadgetRecord* gadget, intptr_t position) {
  SendMessageA(gadget->handle, PBM_SETPOS, (WPARAM)position, 0);
}

void SetBarColor(GadgetRecord* gadget, int32_t which, int32_t color) {
  LPARAM native = color == -1 ? (LPARAM)CLR_DEFAULT : (LPARAM)color;
  if (which == ColorFront) {
    SendMessageA(gadget->handle, PBM_SETBARCOLOR, 0, native);
    gadget->progressBar.frontColor = color;
  } else if (which == ColorBack) {
    SendMessageA(gadget->handle, PBM_SETBKCOLOR, 0, native);
    gadget->progressBar.backColor = color;
  }
}

constexpr GadgetKind ProgressBarKind = GadgetKind::Of(KindProgressBar).State(Position, SetPosition).Color(SetBarColor);

}  // namespace

intptr_t CreateProgressBar(intptr_t number, int x, int y, int width, int height, int32_t minimum, int32_t maximum,
                           uint32_t flags) {
  HWND control = CreateGadgetControl(number, 0, PROGRESS_CLASSA, nullptr, WS_CHILD | WS_VISIBLE | flags, x, y, width,
                                     height, 0);
  if (!control) return 0;
  GadgetRecord* record = TakeGadgetRecord(number, control);
  if (!record) return 0;
  record->progressBar.backColor = -1;
  record->progressBar.frontColor = -1;
  SendMessageA(control, PBM_SETRANGE32, (WPARAM)minimum, (LPARAM)maximum);
  return RegisterGadget(number, record, control, &ProgressBarKind);
}
