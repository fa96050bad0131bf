// The gadget library's start and the generic operations on a gadget number: the kind's
// operation where it has one, else a plain native fallback. A number with no gadget does
// nothing and gives 0.
#include "toolkit/gadget.h"
#include "runtime/strings.h"
#include "runtime/object_table.h"
#include "toolkit/brush_cache.h"
#include "toolkit/common_controls.h"
#include "toolkit/gadget_registry.h"

namespace {

const char* TextOrEmpty(const char* text) { return text ? text : ""; }

// The control's whole window text, at mark.
void WindowTextAt(HWND control, int32_t mark) {
  int length = GetWindowTextLengthA(control);
  char* text = ScratchReserve(length, mark);
  int copied = length > 0 ? GetWindowTextA(control, text, length + 1) : 0;
  ScratchRewind(mark + copied);
}

}  // namespace

void GadgetsStart() {
  Gadgets.table = ObjectTableNew(sizeof(GadgetRecord), 50, GadgetFree);
  BrushCacheStart();
  Gadgets.stockFont = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  Gadgets.defaultFont = Gadgets.stockFont;
  CommonControlsInitialise(0xB08);
}

void GadgetsStop() {}

void GadgetSetText(intptr_t gadget, const char* text) {
  GadgetRecord* record = GadgetFind(gadget);
  if (!record) return;
  if (record->kind->setText) record->kind->setText(record, TextOrEmpty(text));
  else SetWindowTextA(record->handle, TextOrEmpty(text));
}

void GadgetGetText(intptr_t gadget, int32_t mark) {
  GadgetRecord* record = GadgetFind(gadget);
  if (!record) ScratchRewind(mark);
  else if (record->kind->getText) record->kind->getText(record, mark);
  else WindowTextAt(record->handle, mark);
}

intptr_t GadgetGetState(intptr_t gadget) {
  GadgetRecord* record = GadgetFind(gadget);
  if (!record || !record->kind->getState) return 0;
  return record->kind->getState(record);
}

void GadgetSetState(intptr_t gadget, intptr_t state) {
  GadgetRecord* record = GadgetFind(gadget);
  if (record && record->kind->setState) record->kind->setState(record, state);
}

void GadgetHide(intptr_t gadget, int hide) {
  if (GadgetRecord* record = GadgetFind(gadget))
    ShowWindow(record->handle, hide ? SW_HIDE : SW_SHOW);
}

void GadgetDisable(intptr_t gadget, int disable) {
  if (GadgetRecord* record = GadgetFind(gadget)) EnableWindow(record->handle, !disable);
}

void GadgetClearItems(intptr_t gadget) {
  GadgetRecord* record = GadgetFind(gadget);
  if (record && record->kind->clearItems) record->kind->clearItems(record);
}

int32_t GadgetAddItem(intptr_t gadget, int32_t position, const char* text) {
  GadgetRecord* record = GadgetFind(gadget);
  if (!record || !record->kind->addItem) return 0;
  return record->kind->addItem(record, position, TextOrEmpty(text));
}

void GadgetSetColor(intptr_t gadget, int32_t which, int32_t color) {
  GadgetRecord* record = GadgetFind(gadget);
  if (record && record->kind->setColor) record->kind->setColor(record, which, color);
}

HWND GadgetHandle(intptr_t gadget) {
  GadgetRecord* record = GadgetFind(gadget);
  return record ? record->handle : nullptr;
}

void GadgetSetFont(intptr_t gadget, HFONT font) {
  if (font == reinterpret_cast<HFONT>(-1)) font = Gadgets.stockFont;
  if (gadget == -1) {
    Gadgets.defaultFont = font;
    return;
  }
  // A hidden control is drawn in its font when it is shown: it is redrawn only if visible.
  if (GadgetRecord* record = GadgetFind(gadget))
    SendMessageA(record->handle, WM_SETFONT, reinterpret_cast<WPARAM>(font), IsWindowVisible(record->handle));
}

void GadgetCreateHidden(int hidden) { Gadgets.createHidden = hidden != 0; }

void GadgetFree(intptr_t gadget) {
  // The gadget window procedure releases the record when the control is gone.
  if (GadgetRecord* record = GadgetFind(gadget)) DestroyWindow(record->handle);
}
