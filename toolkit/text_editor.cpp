// Text editors: multi-line rich-edit controls, of version 2 where the system has it. Lines
// are appended or inserted as items; the colours go to the control itself.
#include "toolkit/text_editor.h"
#include "toolkit/gadget_frame.h"
#include "toolkit/window.h"
#include "runtime/system_library.h"
#include <richedit.h>

namespace {

const char* editorClass;  // set once a rich-edit library is loaded
ControlProc nativeEditorProc;

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
    gadget->editor.backColor = color;
  } else if (which == ColorFront) {
    CHARFORMATA format = {};
    format.cbSize = sizeof format;
    format.dwMask = CFM_COLOR;
    format.dwEffects = color == -1 ? CFE_AUTOCOLOR : 0;
    format.crTextColor = color == -1 ? 0 : (COLORREF)color;
    SendMessageA(control, EM_SETCHARFORMAT, SCF_ALL, (LPARAM)&format);
    SendMessageA(control, EM_SETCHARFORMAT, SCF_DEFAULT, (LPARAM)&format);
    gadget->editor.frontColor = color;
  }
}

// A new font resets the character format, so the front colour is applied again.
LRESULT CALLBACK TextEditorProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != WM_SETFONT) return CallControlProc(nativeEditorProc, control, message, wParam, lParam);
  CallControlProc(nativeEditorProc, control, message, wParam, lParam);
  if (GadgetRecord* gadget = GadgetRecordOfControl(control))
    SetEditorColor(gadget, ColorFront, (int32_t)gadget->editor.frontColor);
  return 0;
}

void ClearText(GadgetRecord* gadget) {
  SetWindowTextA(gadget->handle, "");
  gadget->editor.emptyFirstLine = 0;
}

void SetEditorText(GadgetRecord* gadget, const char* text) {
  if (!text || !*text) ClearText(gadget);
  else SetWindowTextA(gadget->handle, text);
}

void Insert(HWND control, const char* text) { SendMessageA(control, EM_REPLACESEL, TRUE, (LPARAM)text); }

// The empty-first-line marker tells an editor whose first line was appended empty from an
// empty editor: the next line appended after it is put on a new line.
int32_t AddLine(GadgetRecord* gadget, int32_t position, const char* text) {
  HWND control = gadget->handle;
  intptr_t& emptyFirstLine = gadget->editor.emptyFirstLine;
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
    if (emptyFirstLine == 1) {
      Insert(control, "\n");
      emptyFirstLine = 2;
    }
    if (length != 0) Insert(control, "\n");
    else if (!*text && emptyFirstLine == 0) emptyFirstLine = 1;
    Insert(control, text);
  }
  SendMessageA(control, EM_HIDESELECTION, 0, 0);
  return 0;
}

constexpr GadgetKind TextEditorKind =
    GadgetKind::Of(KindTextEditor).Text(nullptr, SetEditorText).Items(AddLine, ClearText).Color(SetEditorColor);

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
  record->editor.emptyFirstLine = 0;
  record->editor.backColor = -1;
  record->editor.frontColor = -1;
  // No limit on the text. A limit of -1 sent with EM_LIMITTEXT reads as negative to some
  // rich-edit implementations, which then refuse every typed character.
  SendMessageA(control, EM_EXLIMITTEXT, 0, 0x7FFFFFFF);
  SubclassKind(control, TextEditorProc, &nativeEditorProc);
  DrainMessages();
  return RegisterGadget(number, record, control, &TextEditorKind);
}
