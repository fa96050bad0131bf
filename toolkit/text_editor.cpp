// Text editors: multi-line rich-edit controls, of version 2 where the system has it. Lines
// are appended or inserted as items; the colours go to the control itself.
#include "toolkit/gadget_kinds.h"
#include "toolkit/gadget_frame.h"
#include "toolkit/window.h"
#include "runtime/system_library.h"
#include <richedit.h>

namespace {

const char* editorClass;  // set once a rich-edit library is loaded
ControlProc nativeEditorProc;

// Marker of an editor whose first line was appended empty: 0 none, 1 the first line is
// empty and the text still is, 2 the line after it has been started.
intptr_t& EmptyFirstLine(GadgetRecord* gadget) { return gadget->word[0]; }
intptr_t& BackColor(GadgetRecord* gadget) { return gadget->word[1]; }
intptr_t& FrontColor(GadgetRecord* gadget) { return gadget->word[2]; }

// The rich-edit libraries come from the system folder only: an installer runs from
// download folders, where a planted library of the same name may lie beside it.
bool LoadEditorLibrary() {
  if (editorClass) return true;
  if (LoadSystemLibrary("RICHED20.DLL")) editorClass = "RichEdit20A";
  else if (LoadSystemLibrary("RICHED32.DLL")) editorClass = "RichEdit";
  return editorClass != nullptr;
}

void SetEditorColor(GadgetRecord* gadget, int32_t which, int32_t color) {
  HWND control = gadget->handle;
  if (which == ColorBack) {
    if (color == -1) SendMessageA(control, EM_SETBKGNDCOLOR, 1, 0);
    else SendMessageA(control, EM_SETBKGNDCOLOR, 0, (LPARAM)color);
    BackColor(gadget) = color;
  } else if (which == ColorFront) {
    CHARFORMATA format = {};
    format.cbSize = sizeof format;
    format.dwMask = CFM_COLOR;
    format.dwEffects = color == -1 ? CFE_AUTOCOLOR : 0;
    format.crTextColor = color == -1 ? 0 : (COLORREF)color;
    SendMessageA(control, EM_SETCHARFORMAT, SCF_ALL, (LPARAM)&format);
    SendMessageA(control, EM_SETCHARFORMAT, SCF_DEFAULT, (LPARAM)&format);
    FrontColor(gadget) = color;
  }
}

// A new font resets the character format, so the front colour is applied again.
LRESULT CALLBACK TextEditorProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != WM_SETFONT) return CallControlProc(nativeEditorProc, control, message, wParam, lParam);
  CallControlProc(nativeEditorProc, control, message, wParam, lParam);
  if (GadgetRecord* gadget = GadgetRecordOfControl(control)) SetEditorColor(gadget, ColorFront, FrontColor(gadget));
  return 0;
}

void ClearText(GadgetRecord* gadget) {
  SetWindowTextA(gadget->handle, "");
  EmptyFirstLine(gadget) = 0;
}

void SetEditorText(GadgetRecord* gadget, const char* text) {
  if (!text || !*text) ClearText(gadget);
  else SetWindowTextA(gadget->handle, text);
}

void Insert(HWND control, const char* text) { SendMessageA(control, EM_REPLACESEL, TRUE, (LPARAM)text); }

int32_t AddLine(GadgetRecord* gadget, int32_t position, const char* text) {
  HWND control = gadget->handle;
  if (!text) text = "";
  SendMessageA(control, EM_HIDESELECTION, 1, 0);
  LRESULT start = SendMessageA(control, EM_LINEINDEX, (WPARAM)position, 0);
  if (start != -1 && position != -1) {
    SendMessageA(control, EM_SETSEL, start, start);
    Insert(control, text);
    Insert(control, "\n");
  } else {
    LRESULT length = SendMessageA(control, WM_GETTEXTLENGTH, 0, 0);
    SendMessageA(control, EM_SETSEL, length, length);
    if (EmptyFirstLine(gadget) == 1) {
      Insert(control, "\n");
      EmptyFirstLine(gadget) = 2;
    }
    if (length != 0) Insert(control, "\n");
    else if (!*text && EmptyFirstLine(gadget) == 0) EmptyFirstLine(gadget) = 1;
    Insert(control, text);
  }
  SendMessageA(control, EM_HIDESELECTION, 0, 0);
  return 0;
}

const GadgetKind TextEditorKind = {KindTextEditor, nullptr, nullptr, nullptr, nullptr,
                                   nullptr, SetEditorText, AddLine, ClearText, SetEditorColor};

constexpr DWORD TextEditorStyle = WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | WS_TABSTOP | ES_WANTRETURN |
                                  ES_NOHIDESEL | ES_AUTOHSCROLL | ES_AUTOVSCROLL | ES_MULTILINE;

}  // namespace

intptr_t CreateTextEditor(intptr_t number, int x, int y, int width, int height, uint32_t flags) {
  if (!LoadEditorLibrary()) return 0;
  HWND control = CreateGadgetControl(number, WS_EX_CLIENTEDGE, editorClass, nullptr, TextEditorStyle | flags, x, y, width,
                                     height);
  if (!control) return 0;
  GadgetRecord* record = TakeGadgetRecord(number, control);
  if (!record) return 0;
  EmptyFirstLine(record) = 0;
  BackColor(record) = -1;
  FrontColor(record) = -1;
  // No limit on the text. A limit of -1 sent with EM_LIMITTEXT reads as negative to some
  // rich-edit implementations, which then refuse every typed character.
  SendMessageA(control, EM_EXLIMITTEXT, 0, 0x7FFFFFFF);
  SubclassKind(control, TextEditorProc, &nativeEditorProc);
  DrainMessages();
  return RegisterGadget(number, record, control, &TextEditorKind);
}
