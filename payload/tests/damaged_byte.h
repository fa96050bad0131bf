#pragma once
// Changes one byte of an embedded block, as a damaged download would, for as long as it lives.
#include <windows.h>
#include <stdint.h>

class DamagedByte {
 public:
  explicit DamagedByte(const void* at) : byte_(static_cast<uint8_t*>(const_cast<void*>(at))) { Flip(); }
  ~DamagedByte() { Flip(); }
  DamagedByte(const DamagedByte&) = delete;
  DamagedByte& operator=(const DamagedByte&) = delete;

 private:
  void Flip() {
    DWORD protection;
    VirtualProtect(byte_, 1, PAGE_EXECUTE_READWRITE, &protection);
    *byte_ ^= 0x10;
    VirtualProtect(byte_, 1, protection, &protection);
  }
  uint8_t* byte_;
};
