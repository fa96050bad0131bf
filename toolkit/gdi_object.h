#pragma once
// A GDI object (brush, font, bitmap) that a record keeps beyond the function that made it.
// Records live in zero-filled table or heap memory and are released without being
// destroyed, so the owner has no constructor or destructor: zero is no object, Take hands
// it one, and Free deletes the one it holds and leaves zero.
#include <windows.h>

template <typename Handle>
struct GdiObject {
  Handle handle;

  Handle Get() const { return handle; }
  void Take(Handle object) { handle = object; }
  void Free() {
    if (handle) DeleteObject(handle);
    handle = nullptr;
  }
};
