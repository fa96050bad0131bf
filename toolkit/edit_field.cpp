// Edit fields: native single-line edits with optional colours. Gaining and losing the
// keyboard focus are reported as gadget events besides the native edit notifications.
#include "toolkit/edit_field.h"
#include "toolkit/gadget_kinds.h"
#include "toolkit/control_colors.h"
#include "toolkit/gadget_frame.h"
#include "toolkit/window.h"

namespace {

ControlProc nativeEditProc;

LRESULT EditFieldNotify(GadgetRecord* gadget, HWND, UINT message, WPARAM wParam, LPARAM) {
  // Read-only fields ask with the static request and keep their colours; disabled ones
  // ask the same way and get the default colours.
  if (message == WM_CTLCOLOREDIT || (message == WM_CTLCOLORSTATIC && IsWindowEnabled(gadget->handle)))
    return ControlColorAnswer(gadget, (HDC)wParam, COLOR_BTNHIGHLIGHT);
  return NotHandled;
}

LRESULT CALLBACK EditFieldProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
  if ((message == WM_SETFOCUS || message == WM_KILLFOCUS) && GadgetRecordOfControl(control))
    PostGadgetEvent(control, message == WM_SETFOCUS ? GsFocus : GsLostFocus);
  return CallControlProc(nativeEditProc, control, message, wParam, lParam);
}

constexpr GadgetKind EditFieldKind =
    GadgetKind::Of(KindEditField).Notify(EditFieldNotify).Destroy(ControlColorsRelease).Color(ControlColorSet);

constexpr DWORD EditFieldStyle = WS_CHILD | WS_VISIBLE | WS_GROUP | WS_TABSTOP | ES_AUTOHSCROLL;

}  // namespace

intptr_t CreateEditField(intptr_t number, int x, int y, int width, int height, const char* text, uint32_t flags) {
  DWORD extendedStyle = (flags & GadgetFlagSwapClientEdge) ? 0 : WS_EX_CLIENTEDGE;
  // A multi-line field lays its whole text out in lines in its font, so it gets its text
  // only once it has the font. Created with the text, it would lay it out in the system
  // font first, and keep that layout's scroll range after the font is set. Setting the text
  // notifies the parent only for single-line fields.
  bool textAfterFont = (flags & ES_MULTILINE) && text && *text;
  HWND control = CreateGadgetControl(number, extendedStyle, "Edit", textAfterFont ? nullptr : text,
                                     EditFieldStyle | flags, x, y, width, height);
  if (!control) return 0;
  GadgetRecord* record = TakeGadgetRecord(number, control);
  if (!record) return 0;
  ControlColorsInit(record);
  SubclassKind(control, EditFieldProc, &nativeEditProc);
  intptr_t made = RegisterGadget(number, record, control, &EditFieldKind);
  if (textAfterFont) SetWindowTextA(control, text);
  return made;
}
