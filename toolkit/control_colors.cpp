#include "toolkit/control_colors.h"
#include "toolkit/fonts.h"

namespace {

intptr_t& BackColor(GadgetRecord* gadget) { return gadget->word[0]; }
intptr_t& FrontColor(GadgetRecord* gadget) { return gadget->word[1]; }
HBRUSH BackBrush(const GadgetRecord* gadget) { return (HBRUSH)gadget->word[2]; }
void StoreBackBrush(GadgetRecord* gadget, HBRUSH brush) { gadget->word[2] = (intptr_t)brush; }

}  // namespace

void ControlColorsInit(GadgetRecord* gadget) {
  BackColor(gadget) = -1;
  FrontColor(gadget) = -1;
  StoreBackBrush(gadget, nullptr);
}

LRESULT ControlColorAnswer(GadgetRecord* gadget, HDC dc, int plainBackground) {
  if (FrontColor(gadget) != -1) {
    SetTextColor(dc, (COLORREF)FrontColor(gadget));
    if (BackColor(gadget) == -1) {
      SetBkColor(dc, GetSysColor(plainBackground));
      return (LRESULT)GetSysColorBrush(plainBackground);
    }
  }
  // Without a brush (the cache could not make one) the control keeps its default colours.
  if (BackColor(gadget) != -1 && BackBrush(gadget)) {
    SetBkColor(dc, (COLORREF)BackColor(gadget));
    return (LRESULT)BackBrush(gadget);
  }
  return NotHandled;
}

void ControlColorSet(GadgetRecord* gadget, int32_t which, int32_t color) {
  if (which == ColorFront) {
    FrontColor(gadget) = color;
  } else if (which == ColorBack) {
    if (BackBrush(gadget)) BrushRelease(BackBrush(gadget));
    StoreBackBrush(gadget, color != -1 ? BrushAcquire(color) : nullptr);
    BackColor(gadget) = color;
  } else {
    return;
  }
  // A hidden control is painted whole when it is shown.
  if (IsWindowVisible(gadget->handle))
    RedrawWindow(gadget->handle, nullptr, nullptr, RDW_FRAME | RDW_ERASE | RDW_INTERNALPAINT | RDW_INVALIDATE);
}

void ControlColorsRelease(GadgetRecord* gadget) {
  if (BackBrush(gadget)) BrushRelease(BackBrush(gadget));
  StoreBackBrush(gadget, nullptr);
}
