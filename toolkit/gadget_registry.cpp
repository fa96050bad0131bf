// The gadget table, the registration of each new gadget, and how native messages and gadget
// actions find their way between controls, their kinds and the toolkit window that holds
// them.
#include "toolkit/gadget_registry.h"
#include "runtime/object_table.h"
#include "toolkit/subclass.h"
#include "toolkit/window_marks.h"

GadgetRegistryState Gadgets;

namespace {

constexpr char GadgetIdProperty[] = "VX_ID";
constexpr intptr_t UnnumberedControl = -1;

intptr_t ControlIdentifier(HWND control) { return GetWindowLongPtrA(control, GWLP_ID); }

// Every gadget control is subclassed with this procedure: it keeps the table in step with
// the control's life.
LRESULT CALLBACK GadgetWindowProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
  intptr_t number = ControlIdentifier(control);
  if (number == UnnumberedControl) return DefaultControlProc(control, message, wParam, lParam);
  GadgetRecord* record = GadgetFind(number);
  if (!record || record->handle != control) return DefaultControlProc(control, message, wParam, lParam);
  ControlProc previous = {record->previousProc, record->previousProcUnicode != 0};
  LRESULT result = CallControlProc(previous, control, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    // The previous procedure may have grown the table: look the record up again.
    record = GadgetFind(number);
    if (record && record->handle == control) {
      if (record->kind && record->kind->destroy) record->kind->destroy(record);
      RemovePropA(control, GadgetIdProperty);
      SetWindowLongPtrA(control, GWLP_ID, UnnumberedControl);
      ObjectTableRelease(Gadgets.table, number);
    }
  }
  return result;
}

}  // namespace

GadgetRecord* GadgetRecordFor(intptr_t number) {
  return static_cast<GadgetRecord*>(ObjectTableSlot(Gadgets.table, number));
}

GadgetRecord* GadgetFind(intptr_t number) {
  return FindRecord<GadgetRecord>(Gadgets.table, number);
}

intptr_t RegisterGadget(intptr_t number, GadgetRecord* record, HWND control, const GadgetKind* kind) {
  if (!record) {
    DestroyWindow(control);
    return 0;
  }
  bool automatic = number == AutoNumber;
  if (automatic) number = ObjectNumberOf(record);
  record->handle = control;
  static const GadgetKind NoOperations = {};
  record->kind = kind ? kind : &NoOperations;
  ControlProc previous = SubclassControl(control, GadgetWindowProc);
  record->previousProc = previous.proc;
  record->previousProcUnicode = previous.unicode;
  if (ControlIdentifier(control) != number) SetWindowLongPtrA(control, GWLP_ID, number);
  SetPropA(control, GadgetIdProperty, reinterpret_cast<HANDLE>(number));
  SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(Gadgets.defaultFont), IsWindowVisible(control));
  return automatic ? number : (intptr_t)control;
}

GadgetRecord* GadgetRecordOfControl(HWND control) {
  if (!control) return nullptr;
  // A gadget's identifier is -1 once it is destroyed, and any other control may carry any
  // identifier: only a number that names a live gadget is looked up, and only a record
  // that holds this very control makes it a gadget.
  intptr_t number = ControlIdentifier(control);
  if (number == UnnumberedControl || !ObjectTableVerify(Gadgets.table, number)) return nullptr;
  GadgetRecord* record = GadgetFind(number);
  return record && record->handle == control ? record : nullptr;
}

int ControlGadgetNumber(HWND control, intptr_t* number) {
  if (!GadgetRecordOfControl(control)) return 0;
  if (number) *number = ControlIdentifier(control);
  return 1;
}

LRESULT ForwardToGadgetKind(HWND control, HWND parent, UINT message, WPARAM wParam, LPARAM lParam) {
  // A control that is not a gadget (for example a control's own child) is not handled.
  GadgetRecord* record = GadgetRecordOfControl(control);
  if (!record || !record->kind->notify) return NotHandled;
  return record->kind->notify(record, parent, message, wParam, lParam);
}

void PostGadgetEvent(HWND control, int32_t subtype) {
  PostMessageA(OwnerToolkitWindow(control), GadgetEventMessage,
               (WPARAM)GetWindowLongPtrA(control, GWLP_ID), (LPARAM)subtype);
}

HWND OwnerToolkitWindow(HWND window) {
  HWND topmost = window;
  for (HWND current = window; current;) {
    if (MarkedWindowNumber(current) != -1) return current;
    topmost = current;
    // Only child windows have a parent; above a top-level window is its owner, not a parent.
    current = (GetWindowLongPtrA(current, GWL_STYLE) & WS_CHILD) ? GetParent(current) : nullptr;
  }
  return topmost;
}
