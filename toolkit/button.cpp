// Buttons and check boxes: native buttons whose state is their check mark. They answer no
// control-colour requests, so they are always drawn in the system colours.
#include "toolkit/button.h"
#include "toolkit/gadget_frame.h"

namespace {

intptr_t CheckState(GadgetRecord* gadget) {
  return SendMessageA(gadget->handle, BM_GETCHECK, 0, 0) & 1;
}

void SetCheckState(GadgetRecord* gadget, intptr_t state) {
  SendMessageA(gadget->handle, BM_SETCHECK, state ? BST_CHECKED : BST_UNCHECKED, 0);
}

constexpr GadgetKind ButtonKind = GadgetKind::Of(KindButton).State(CheckState, SetCheckState);
constexpr GadgetKind CheckBoxKind = GadgetKind::Of(KindCheckBox).State(CheckState, SetCheckState);

constexpr DWORD ButtonStyle = WS_CHILD | WS_VISIBLE | WS_GROUP | WS_TABSTOP;
constexpr DWORD CheckBoxStyle = ButtonStyle | BS_AUTOCHECKBOX;

intptr_t CreateButtonOfKind(const GadgetKind* kind, DWORD baseStyle, intptr_t number, int x, int y,
                            int width, int height, const char* text, uint32_t flags) {
  HWND control = CreateGadgetControl(number, 0, "Button", text, baseStyle | flags, x, y, width, height);
  if (!control) return 0;
  GadgetRecord* record = TakeGadgetRecord(number, control);
  if (!record) return 0;
  return RegisterGadget(number, record, control, kind);
}

}  // namespace

intptr_t CreateButton(intptr_t number, int x, int y, int width, int height, const char* text, uint32_t flags) {
  return CreateButtonOfKind(&ButtonKind, ButtonStyle, number, x, y, width, height, text, flags);
}

intptr_t CreateCheckBox(intptr_t number, int x, int y, int width, int height, const char* text, uint32_t flags) {
  return CreateButtonOfKind(&CheckBoxKind, CheckBoxStyle, number, x, y, width, height, text, flags);
}
