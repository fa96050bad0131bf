#include "toolkit/common_controls.h"
#include <commctrl.h>
#include "runtime/system_library.h"

namespace {

typedef BOOL(WINAPI* InitCommonControlsExFn)(const INITCOMMONCONTROLSEX*);
typedef void(WINAPI* InitCommonControlsFn)();

HMODULE Library;  // never freed: the controls it registers live as long as the process

FARPROC Function(const char* name) {
  HMODULE library = CommonControlsLibrary();
  return library ? GetProcAddress(library, name) : nullptr;
}

}  // namespace

HMODULE CommonControlsLibrary() {
  if (!Library) Library = LoadRedirectableSystemLibrary("comctl32.dll");
  return Library;
}

void CommonControlsInitialiseAll() {
  auto initialise = reinterpret_cast<InitCommonControlsFn>(
      reinterpret_cast<void*>(Function("InitCommonControls")));
  if (initialise) initialise();
}

void CommonControlsInitialise(DWORD classes) {
  auto initialiseEx = reinterpret_cast<InitCommonControlsExFn>(
      reinterpret_cast<void*>(Function("InitCommonControlsEx")));
  if (!initialiseEx) return CommonControlsInitialiseAll();
  INITCOMMONCONTROLSEX controls = {sizeof(controls), classes};
  initialiseEx(&controls);
}
