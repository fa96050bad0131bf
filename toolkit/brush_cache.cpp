#include "toolkit/brush_cache.h"
#include "runtime/heaps.h"
#include "toolkit/gdi_object.h"

namespace {

struct BrushEntry {
  BrushEntry* next;
  int32_t color;
  GdiObject<HBRUSH> brush;
  int32_t count;
};

CRITICAL_SECTION CacheLock;
bool CacheLockReady;
BrushEntry* Entries;

class CacheGuard {
 public:
  CacheGuard() { EnterCriticalSection(&CacheLock); }
  ~CacheGuard() { LeaveCriticalSection(&CacheLock); }
  CacheGuard(const CacheGuard&) = delete;
  CacheGuard& operator=(const CacheGuard&) = delete;
};

}  // namespace

void BrushCacheStart() {
  if (CacheLockReady) return;
  InitializeCriticalSection(&CacheLock);
  CacheLockReady = true;
}

HBRUSH BrushAcquire(int32_t color) {
  CacheGuard guard;
  for (BrushEntry* entry = Entries; entry; entry = entry->next) {
    if (entry->color == color) {
      entry->count++;
      return entry->brush.Get();
    }
  }
  // Only entries that hold a brush are kept: a failed creation must not leave an entry
  // that no release could ever find again.
  HBRUSH brush = CreateSolidBrush((COLORREF)color);
  if (!brush) return nullptr;
  BrushEntry* entry = static_cast<BrushEntry*>(ProgramAlloc(sizeof(BrushEntry)));
  if (!entry) {
    DeleteObject(brush);
    return nullptr;
  }
  entry->color = color;
  entry->brush.Take(brush);
  entry->count = 1;
  entry->next = Entries;
  Entries = entry;
  return brush;
}

void BrushRelease(HBRUSH brush) {
  if (!brush) return;
  CacheGuard guard;
  for (BrushEntry** link = &Entries; *link; link = &(*link)->next) {
    BrushEntry* entry = *link;
    if (entry->brush.Get() != brush) continue;
    if (--entry->count == 0) {
      entry->brush.Free();
      *link = entry->next;
      ProgramFree(entry);
    }
    return;
  }
}
