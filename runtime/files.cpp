#include "runtime/files.h"
#include <string.h>
#include "runtime/heaps.h"
#include "runtime/services.h"

ObjectTable* FileTable;

namespace {

constexpr int32_t WriteBufferSize = 4096;

struct FileRecord {
  HANDLE handle;      // non-zero while open
  char* buffer;       // null: the file is written unbuffered
  int32_t bufferSize;
  int32_t freeRoom;   // the filled part is the first bufferSize - freeRoom bytes
  int32_t fresh;      // 1 until the first write (free room 0, buffer empty), then 0
  int32_t fellShort;  // non-zero once a write to the file wrote fewer bytes than asked
};
static_assert(sizeof(void*) != 4 || sizeof(FileRecord) == 24, "file records are 24 bytes");

// A block larger than this goes out in pieces of this size, still straight from the
// caller's memory: a single write of many megabytes now and then stalls for a tenth of a
// second (seen under Wine), pieces of a megabyte do not.
constexpr int32_t LargestWrite = 1 << 20;

int32_t WriteThrough(FileRecord* file, const void* data, int32_t length) {
  const char* next = static_cast<const char*>(data);
  int32_t total = 0;
  while (total < length) {
    DWORD piece = (DWORD)(length - total < LargestWrite ? length - total : LargestWrite);
    DWORD written = 0;
    bool whole = WriteFile(file->handle, next + total, piece, &written, nullptr) && written == piece;
    total += (int32_t)written;
    if (!whole) {
      file->fellShort = 1;
      break;
    }
  }
  return total;
}

// Writes the filled part of the buffer; the buffer is empty afterwards whatever was written.
int32_t Flush(FileRecord* file) {
  if (file->fresh) return 0;
  int32_t filled = file->bufferSize - file->freeRoom;
  file->freeRoom = file->bufferSize;
  return filled ? WriteThrough(file, file->buffer, filled) : 0;
}

int32_t Write(FileRecord* file, const void* data, int32_t length) {
  if (!file->buffer) return WriteThrough(file, data, length);
  if (file->fresh) {
    file->fresh = 0;
    file->freeRoom = file->bufferSize;
  }
  if (length < file->freeRoom) {
    memcpy(file->buffer + (file->bufferSize - file->freeRoom), data, length);
    file->freeRoom -= length;
    return length;
  }
  Flush(file);
  if (length >= file->bufferSize) return WriteThrough(file, data, length);
  memcpy(file->buffer, data, length);
  file->freeRoom = file->bufferSize - length;
  return length;
}

void ReleaseFile(intptr_t number) { FileClose(number); }

// Systems before Windows 2000 have no reparse points and no flag to open one itself.
DWORD OpenLinkItself() { return OsVersion() >= 50 ? FILE_FLAG_OPEN_REPARSE_POINT : 0; }

bool Linked(const BY_HANDLE_FILE_INFORMATION& file) {
  return (file.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) || file.nNumberOfLinks != 1;
}

// Makes the opened file ready to be written from its start, if it is the file itself: not a
// link standing in its place (symbolic link, junction or other reparse point) and not one
// of several names of the same data (hard links), either of which would carry the bytes to
// a file elsewhere; and not read-only. A hidden or system file becomes a plain one first.
bool PrepareForRewriting(HANDLE handle, const char* name) {
  // A device has neither links nor length (and no information of this kind to give).
  if (GetFileType(handle) != FILE_TYPE_DISK) return true;
  BY_HANDLE_FILE_INFORMATION file;
  if (!GetFileInformationByHandle(handle, &file)) return false;
  if (Linked(file) || (file.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY))) return false;
  const DWORD hiddenOrSystem = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
  if ((file.dwFileAttributes & hiddenOrSystem) && !SetFileAttributesA(name, file.dwFileAttributes & ~hiddenOrSystem))
    return false;
  // Emptied only now that it is known to be the file itself; a new or empty one has
  // nothing to cut.
  return (file.nFileSizeLow == 0 && file.nFileSizeHigh == 0) || SetEndOfFile(handle);
}

// Opens the file, or creates it, without following a link that stands in its place, and
// empties it once it is known to be safe to write; INVALID_HANDLE_VALUE if it is not.
HANDLE OpenForRewriting(const char* name) {
  const DWORD noLink = OpenLinkItself();
  HANDLE handle = CreateFileA(name, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL | noLink, nullptr);
  // A file that may be written but not read is still emptied and written.
  if (handle == INVALID_HANDLE_VALUE)
    handle = CreateFileA(name, GENERIC_WRITE | FILE_READ_ATTRIBUTES, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                         noLink, nullptr);
  if (handle == INVALID_HANDLE_VALUE || !handle) return INVALID_HANDLE_VALUE;
  if (PrepareForRewriting(handle, name)) return handle;
  CloseHandle(handle);
  return INVALID_HANDLE_VALUE;
}

}  // namespace

int32_t FileIsLinked(const char* name) {
  DWORD attributes = GetFileAttributesA(name ? name : "");
  if (attributes == INVALID_FILE_ATTRIBUTES) return 0;
  if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) return 1;
  // A folder has no second names; writing a file of its name fails anyway.
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) return 0;
  // No access asked: the file's information is all that is read.
  HANDLE handle = CreateFileA(name, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                              OpenLinkItself(), nullptr);
  if (handle == INVALID_HANDLE_VALUE) return 1;
  BY_HANDLE_FILE_INFORMATION file;
  bool linked = !GetFileInformationByHandle(handle, &file) || Linked(file);
  CloseHandle(handle);
  return linked ? 1 : 0;
}

void FilesStart() { FileTable = ObjectTableNew(sizeof(FileRecord), 16, ReleaseFile); }

void FilesStop() { ObjectTableFreeAll(FileTable); }

intptr_t FileCreate(intptr_t number, const char* name) {
  FileRecord* file = static_cast<FileRecord*>(ObjectTableSlot(FileTable, number));
  if (!file) return 0;
  HANDLE handle = OpenForRewriting(name);
  if (handle == INVALID_HANDLE_VALUE || !handle) {
    if (number == AutoNumber) ObjectTableRelease(FileTable, ObjectNumberOf(file));
    return 0;
  }
  file->handle = handle;
  file->buffer = static_cast<char*>(HeapAlloc(ProgramHeap, 0, WriteBufferSize));
  file->bufferSize = WriteBufferSize;
  file->freeRoom = 0;
  file->fresh = 1;
  file->fellShort = 0;
  return number == AutoNumber ? ObjectNumberOf(file) : (intptr_t)handle;
}

int32_t FileWriteData(intptr_t number, const void* data, int32_t length) {
  FileRecord* file = FindRecord<FileRecord>(FileTable, number);
  if (!file || !data || length <= 0) return 0;
  return Write(file, data, length);
}

int32_t FileWriteLine(intptr_t number, const char* text) {
  FileRecord* file = FindRecord<FileRecord>(FileTable, number);
  if (!file) return 0;
  int32_t accepted = 0;
  if (text && *text) accepted = Write(file, text, (int32_t)strlen(text));
  return accepted + Write(file, "\r\n", 2);
}

int FileClose(intptr_t number) {
  if (number == AutoNumber) return 0;
  FileRecord* file = FindRecord<FileRecord>(FileTable, number);
  if (!file) return 0;
  if (file->buffer) {
    Flush(file);
    HeapFree(ProgramHeap, 0, file->buffer);
  }
  bool whole = !file->fellShort;
  if (!CloseHandle(file->handle)) whole = false;
  ObjectTableRelease(FileTable, number);
  return whole ? 1 : 0;
}

int FileIsOpen(intptr_t number) { return ObjectTableVerify(FileTable, number) ? 1 : 0; }
