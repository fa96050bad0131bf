#pragma once
// A block of memory inside the program under test. Messages of the common controls whose
// parameters point to memory (TVM_GETITEM) are not carried between processes by the
// system, so their buffers must live in the receiver's address space, as accessibility
// tools arrange it.
#include <windows.h>
#include <string>

class RemoteBuffer {
 public:
  RemoteBuffer(HANDLE process, SIZE_T size);
  ~RemoteBuffer();
  RemoteBuffer(const RemoteBuffer&) = delete;
  RemoteBuffer& operator=(const RemoteBuffer&) = delete;

  bool Valid() const { return address_ != nullptr; }
  LPARAM Address(SIZE_T offset = 0) const { return reinterpret_cast<LPARAM>(address_ + offset); }
  bool Write(const void* data, SIZE_T size, SIZE_T offset = 0);
  bool Read(void* data, SIZE_T size, SIZE_T offset = 0) const;

 private:
  HANDLE process_;
  BYTE* address_;
};
