#include "bench/gui_objects.h"
#include <stdint.h>

namespace {

// One entry of Wine's GDI handle table; the low 16 bits of a handle are its index.
struct WineGdiEntry {
  uint64_t object;
  uint32_t owner;
  uint16_t unique;
  uint8_t type;  // 0: a free entry
  uint8_t flags;
  uint64_t userPointer;
};
static_assert(sizeof(WineGdiEntry) == 24, "Wine's entry layout");

constexpr size_t PebGdiTableOffset = 0x94;  // GdiSharedHandleTable in the 32-bit PEB
constexpr size_t MaximumGdiEntries = 0x10000;

FARPROC NtdllFunction(const char* name) {
  HMODULE ntdll = GetModuleHandleA("ntdll.dll");
  return ntdll ? GetProcAddress(ntdll, name) : nullptr;
}

bool RunningOnWine() { return NtdllFunction("wine_get_version") != nullptr; }

long CountGdiTableEntries() {
  using GetPebFunction = uint8_t*(WINAPI*)();
  auto getPeb = reinterpret_cast<GetPebFunction>(
      reinterpret_cast<void*>(NtdllFunction("RtlGetCurrentPeb")));
  if (!getPeb) return -1;
  uint8_t* peb = getPeb();
  auto* table = *reinterpret_cast<const WineGdiEntry* const*>(peb + PebGdiTableOffset);
  MEMORY_BASIC_INFORMATION region;
  if (!table || !VirtualQuery(table, &region, sizeof(region)) || region.State != MEM_COMMIT)
    return -1;
  size_t readable = (const uint8_t*)region.BaseAddress + region.RegionSize - (const uint8_t*)table;
  size_t entries = readable / sizeof(WineGdiEntry);
  if (entries > MaximumGdiEntries) entries = MaximumGdiEntries;
  long live = 0;
  for (size_t i = 0; i < entries; ++i)
    if (table[i].type != 0) ++live;
  return live;
}

bool GdiTableCountsTrue() {
  long before = CountGdiTableEntries();
  HBRUSH brushes[3];
  for (int i = 0; i < 3; ++i) brushes[i] = CreateSolidBrush(RGB(i, 2, 3));
  long during = CountGdiTableEntries();
  for (HBRUSH brush : brushes) DeleteObject(brush);
  long after = CountGdiTableEntries();
  return before >= 0 && during == before + 3 && after == before;
}

struct WindowTally {
  DWORD process;
  long count;
};

BOOL CALLBACK CountChild(HWND, LPARAM data) {
  ++reinterpret_cast<WindowTally*>(data)->count;
  return TRUE;
}

BOOL CALLBACK CountOwnWindow(HWND window, LPARAM data) {
  auto* tally = reinterpret_cast<WindowTally*>(data);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner != tally->process) return TRUE;
  ++tally->count;
  EnumChildWindows(window, CountChild, data);
  return TRUE;
}

}  // namespace

GuiObjectCount CountGdiObjects() {
  if (DWORD count = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS))
    return {(long)count, "GetGuiResources"};
  if (RunningOnWine() && GdiTableCountsTrue())
    return {CountGdiTableEntries(), "Wine's GDI handle table"};
  return {-1, "not reported"};
}

GuiObjectCount CountUserObjects() {
  if (DWORD count = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS))
    return {(long)count, "GetGuiResources"};
  WindowTally tally = {GetCurrentProcessId(), 0};
  EnumWindows(CountOwnWindow, reinterpret_cast<LPARAM>(&tally));
  return {tally.count, "windows of the process"};
}
