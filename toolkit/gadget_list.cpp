// Gadget lists: the native window that receives the next gadget. Each toolkit window keeps
// its own current parent and stack of containers; attaching another window saves the
// current window's state in a record under a window property and restores the other's.
#include "toolkit/gadget_list.h"
#include "runtime/heaps.h"
#include "runtime/numbered_name.h"

namespace {

constexpr int32_t StackGrowth = 10;

struct GadgetListState {
  HWND currentParent;
  HWND* stack;  // owned; saved parents, the root at the bottom
  int32_t depth;
  int32_t capacity;
};

// Attached to a toolkit window while it is not the current gadget list. The records are
// also kept in a list of the process, so that the window procedure finds its record
// without a property look-up on every message.
struct GadgetListRecord {
  HWND window;
  HWND savedParent;
  HWND* savedStack;  // owned while saved
  int32_t savedDepth;
  int32_t savedCapacity;
  WNDPROC previousProc;
  GadgetListRecord* next;
};

GadgetListState List;
GadgetListRecord* Records;

struct PropertyName {
  char text[NumberedNameSize];
  PropertyName() { NumberedName(text, "VX_GadgetStack_", (uintptr_t)GetModuleHandleA(nullptr)); }
};

GadgetListRecord* RecordOf(HWND window) {
  for (GadgetListRecord* record = Records; record; record = record->next)
    if (record->window == window) return record;
  return nullptr;
}

void Unlink(GadgetListRecord* record) {
  for (GadgetListRecord** link = &Records; *link; link = &(*link)->next) {
    if (*link == record) {
      *link = record->next;
      return;
    }
  }
}

HWND CurrentRoot() { return List.depth > 0 ? List.stack[0] : List.currentParent; }

LRESULT CALLBACK GadgetListWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  GadgetListRecord* record = RecordOf(window);
  if (!record) return DefWindowProcA(window, message, wParam, lParam);
  WNDPROC previous = record->previousProc;
  if (message == WM_NCDESTROY) {
    if (window == CurrentRoot()) {
      List.currentParent = nullptr;
      List.depth = 0;
    }
    Unlink(record);
    ProgramFree(record->savedStack);
    ProgramFree(record);
    RemovePropA(window, PropertyName().text);
  }
  return CallWindowProcA(previous, window, message, wParam, lParam);
}

}  // namespace

HWND GadgetListAttach(HWND window) {
  HWND root = CurrentRoot();
  if (!window) return root;
  if (root) {
    if (GadgetListRecord* saved = RecordOf(root)) {
      saved->savedParent = List.currentParent;
      saved->savedStack = List.stack;
      saved->savedDepth = List.depth;
      saved->savedCapacity = List.capacity;
      List.stack = nullptr;
    }
  }
  if (GadgetListRecord* record = RecordOf(window)) {
    ProgramFree(List.stack);
    List.currentParent = record->savedParent;
    List.stack = record->savedStack;
    List.depth = record->savedDepth;
    List.capacity = record->savedCapacity;
    record->savedStack = nullptr;
    return root;
  }
  if (List.stack) {
    List.depth = 0;
  } else {
    List.stack = static_cast<HWND*>(ProgramAlloc(StackGrowth * sizeof(HWND)));
    List.depth = 0;
    List.capacity = List.stack ? StackGrowth : 0;
  }
  List.currentParent = window;
  GadgetListRecord* record = static_cast<GadgetListRecord*>(ProgramAlloc(sizeof(GadgetListRecord)));
  if (!record) return root;
  record->window = window;
  record->next = Records;
  Records = record;
  SetPropA(window, PropertyName().text, record);
  record->previousProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
      window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(GadgetListWindowProc)));
  return root;
}

void GadgetListPush(HWND container) {
  if (List.depth == List.capacity) {
    HWND* grown = static_cast<HWND*>(
        ProgramRealloc(List.stack, (size_t)(List.capacity + StackGrowth) * sizeof(HWND)));
    if (!grown) return;
    List.stack = grown;
    List.capacity += StackGrowth;
  }
  List.stack[List.depth++] = List.currentParent;
  List.currentParent = container;
}

void GadgetListClose() {
  if (List.depth > 0) List.currentParent = List.stack[--List.depth];
}

HWND GadgetListParent() { return List.currentParent; }
