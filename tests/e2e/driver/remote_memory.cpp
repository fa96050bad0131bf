#include "tests/e2e/driver/remote_memory.h"

RemoteBuffer::RemoteBuffer(HANDLE process, SIZE_T size)
    : process_(process),
      address_(static_cast<BYTE*>(VirtualAllocEx(process, nullptr, size, MEM_COMMIT, PAGE_READWRITE))) {}

RemoteBuffer::~RemoteBuffer() {
  if (address_) VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
}

bool RemoteBuffer::Write(const void* data, SIZE_T size, SIZE_T offset) {
  SIZE_T moved = 0;
  return address_ && WriteProcessMemory(process_, address_ + offset, data, size, &moved) && moved == size;
}

bool RemoteBuffer::Read(void* data, SIZE_T size, SIZE_T offset) const {
  SIZE_T moved = 0;
  return address_ && ReadProcessMemory(process_, address_ + offset, data, size, &moved) && moved == size;
}
