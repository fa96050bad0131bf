#include "runtime/strings.h"
#include <string.h>

HANDLE StringHeap;
ScratchBufferState ScratchBuffer;

void StringsStart() {
  StringHeap = HeapCreate(HEAP_NO_SERIALIZE, 4096, 0);
  ScratchBuffer.base = static_cast<char*>(HeapAlloc(StringHeap, HEAP_ZERO_MEMORY, 16));
  ScratchBuffer.capacity = 16;
  ScratchBuffer.mark = 0;
}

char* ScratchReserve(int32_t length, int32_t offset) {
  // Callers pass the current mark; a larger offset is measured from itself so that the
  // room is there all the same.
  int32_t used = offset > ScratchBuffer.mark ? offset : ScratchBuffer.mark;
  if (used + length >= ScratchBuffer.capacity - 4) {
    int32_t capacity = used + length + 16384;
    // Without room every caller would write past the buffer: running out of memory here
    // ends the process instead.
    ScratchBuffer.base = static_cast<char*>(
        HeapReAlloc(StringHeap, HEAP_GENERATE_EXCEPTIONS, ScratchBuffer.base, capacity + 5));
    ScratchBuffer.capacity = capacity;
  }
  ScratchBuffer.mark = offset + length;
  return ScratchBuffer.base + offset;
}

void ScratchAppend(const char* text) {
  if (!text) {
    ScratchBuffer.base[ScratchBuffer.mark] = 0;
    return;
  }
  int32_t location = ScratchLocate(text);
  int32_t n = (int32_t)strlen(text);
  char* at = ScratchReserve(n, ScratchBuffer.mark);
  if (location) text = ScratchRelocate(location);
  memmove(at, text, n);
  at[n] = 0;
}

void ScratchRewind(int32_t mark) {
  ScratchBuffer.mark = mark;
  ScratchBuffer.base[mark] = 0;
}

void ScratchGiveBack(int32_t bytes) { ScratchBuffer.mark -= bytes; }

int32_t ScratchLocate(const char* text) {
  const char* base = ScratchBuffer.base;
  if (!text || text < base || text > base + ScratchBuffer.mark) return 0;
  return (int32_t)(text - base) + 1;
}

const char* ScratchRelocate(int32_t location) { return ScratchBuffer.base + location - 1; }

// Sizes the variable's storage to n + 5 bytes and copies n bytes of text and a terminator.
// A text taken from the variable's own storage is copied into a fresh block, since
// resizing could move it away.
static void StoreText(StringValue* variable, const char* text, int32_t n) {
  char* old = *variable;
  bool overlaps = old && text >= old && text <= old + strlen(old);
  void* storage = old && !overlaps ? HeapReAlloc(StringHeap, 0, old, n + 5)
                                   : HeapAlloc(StringHeap, 0, n + 5);
  if (!storage) return;
  char* copy = static_cast<char*>(storage);
  memmove(copy, text, n);
  copy[n] = 0;
  if (overlaps) StrFree(old);
  *variable = copy;
}

void StrAssign(StringValue* variable, const char* text) {
  if (!text) {
    StrFree(*variable);
    *variable = nullptr;
    return;
  }
  StoreText(variable, text, (int32_t)strlen(text));
}

void StrAssignTemp(StringValue* variable, int32_t mark) {
  int32_t n = ScratchBuffer.mark - mark;
  if (n < 0) n = 0;
  StoreText(variable, ScratchBuffer.base + mark, n);
  ScratchBuffer.mark = mark;
}

void StrCopyNew(StringValue* variable, const char* text) {
  if (!text) return;
  *variable = nullptr;
  StoreText(variable, text, (int32_t)strlen(text));
}

void StrFree(StringValue value) {
  if (value) HeapFree(StringHeap, 0, value);
}

int StrEqual(const char* a, const char* b) {
  return strcmp(a ? a : "", b ? b : "") == 0 ? 1 : 0;
}

int32_t StrLength(const char* text) { return text ? (int32_t)strlen(text) : 0; }

int32_t StrFirstCode(const char* text) { return text ? (uint8_t)text[0] : 0; }

// Copies length bytes from start (which may lie in the buffer) to mark, converting each
// byte with convert when given.
static void CopyPiece(const char* start, int32_t length, int32_t mark, char (*convert)(char)) {
  int32_t location = ScratchLocate(start);
  char* at = ScratchReserve(length, mark);
  if (location) start = ScratchRelocate(location);
  if (convert) {
    for (int32_t i = 0; i < length; ++i) at[i] = convert(start[i]);
  } else {
    memmove(at, start, length);
  }
  at[length] = 0;
}

static int32_t Clamp(int32_t n, int32_t length) { return n < 0 ? 0 : n > length ? length : n; }

void StrLeft(const char* text, int32_t n, int32_t mark) {
  if (!text) text = "";
  CopyPiece(text, Clamp(n, StrLength(text)), mark, nullptr);
}

void StrRight(const char* text, int32_t n, int32_t mark) {
  if (!text) text = "";
  int32_t length = StrLength(text);
  n = Clamp(n, length);
  CopyPiece(text + length - n, n, mark, nullptr);
}

void StrTrim(const char* text, int32_t mark) {
  if (!text) text = "";
  const char* start = text;
  while (*start == ' ') ++start;
  const char* end = start + strlen(start);
  while (end > start && end[-1] == ' ') --end;
  CopyPiece(start, (int32_t)(end - start), mark, nullptr);
}

void StrSpaces(int32_t n, int32_t mark) {
  if (n < 0) n = 0;
  char* at = ScratchReserve(n, mark);
  memset(at, ' ', n);
  at[n] = 0;
}

static char UpperCp1251(char c) {
  uint8_t b = (uint8_t)c;
  if ((b >= 'a' && b <= 'z') || b >= 224) return (char)(b - 32);
  return c;
}

void StrUpper(const char* text, int32_t mark) {
  if (!text) text = "";
  CopyPiece(text, StrLength(text), mark, UpperCp1251);
}

void StrFromNumber(int64_t value, int32_t mark) {
  char digits[24];
  int count = 0;
  bool negative = value < 0;
  bool small = value >= INT32_MIN && value <= INT32_MAX;
  int32_t reserved = small ? 32 : 64;
  char* at = ScratchReserve(reserved, mark);
  // The magnitude as unsigned, so the most negative values need no special digits.
  uint64_t magnitude = negative ? 0 - (uint64_t)value : (uint64_t)value;
  do {
    digits[count++] = (char)('0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude);
  int32_t length = 0;
  if (negative) at[length++] = '-';
  while (count) at[length++] = digits[--count];
  at[length] = 0;
  ScratchGiveBack(reserved - length);
}

void StrFromMemory(const void* address, int32_t mark) {
  const char* text = static_cast<const char*>(address);
  if (!text) text = "";
  CopyPiece(text, StrLength(text), mark, nullptr);
}

void StrFilePart(const char* path, int32_t mark) {
  if (!path) path = "";
  // A quoted path ends at its closing quote: separators in what follows (an option such
  // as /x) are not part of the path.
  bool quoted = path[0] == '"';
  const char* start = path + (quoted ? 1 : 0);
  for (const char* p = start; *p && !(quoted && *p == '"'); ++p)
    if (*p == '\\' || *p == '/') start = p + 1;
  const char* end = start;
  while (*end && *end != '"') ++end;
  CopyPiece(start, (int32_t)(end - start), mark, nullptr);
}
