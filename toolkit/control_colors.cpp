#include "toolkit/control_colors.h"
#include "toolkit/brush_cache.h"

void ControlColorsInit(GadgetRecord* gadget) {
  ColorWords& colors = gadget->colors;
  colors.backColor = -1;
  colors.frontColor = -1;
  colors.backBrush = nullptr;
}

LRESULT ControlColorAnswer(GadgetRecord* gadget, HDC dc, int plainBackground) {
  const ColorWords& colors = gadget->colors;
  if (colors.frontColor != -1) {
    SetTextColor(dc, (COLORREF)colors.frontColor);
    if (colors.backColor == -1) {
      SetBkColor(dc, GetSysColor(plainBackground));
      return (LRESULT)GetSysColorBrush(plainBackground);
    }
  }
  // Without a brush (the cache could not make one) the control keeps its default colours.
  if (colors.backColor != -1 && colors.backBrush) {
    SetBkColor(dc, (COLORREF)colors.backColor);
    return (LRESULT)colors.backBrush;
  }
  return NotHandled;
}

void ControlColorSet(GadgetRecord* gadget, int32_t which, int32_t color) {
  ColorWords& colors = gadget->colors;
  if (which == ColorFront) {
    colors.frontColor = color;
  } else if (which == ColorBack) {
    if (colors.backBrush) BrushRelease(colors.backBrush);
    colors.backBrush = color != -1 ? BrushAcquire(color) : nullptr;
    colors.backColor = color;
  } else {
    return;
  }
  // A hidden control is painted whole when it is shown.
  if (IsWindowVisible(gadget->handle))
    RedrawWindow(gadget->handle, nullptr, nullptr, RDW_FRAME | RDW_ERASE | RDW_INTERNALPAINT | RDW_INVALIDATE);
}

void ControlColorsRelease(GadgetRecord* gadget) {
  ColorWords& colors = gadget->colors;
  if (colors.backBrush) BrushRelease(colors.backBrush);
  colors.backBrush = nullptr;
}
