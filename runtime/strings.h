#pragma once
// Windows-1251 texts. A StringValue is owned by the variable that holds it: null (the empty
// text) or a zero-terminated text in the StringHeap. Expressions are built in the one shared
// ScratchBuffer, which moves when it grows: texts in it are remembered by mark (offset),
// never by address, until the moment of use.
//
// Functions that return a text take the current ScratchMark as their last argument, write
// the result there with a terminator and leave ScratchMark on that terminator.
#include <windows.h>
#include <stdint.h>

typedef char* StringValue;

extern HANDLE StringHeap;

struct ScratchBufferState {
  char* base;
  int32_t mark;      // ScratchMark: where the next text is placed
  int32_t capacity;  // usable bytes; the allocation has 5 more once it has grown
};
extern ScratchBufferState ScratchBuffer;

inline int32_t ScratchMark() { return ScratchBuffer.mark; }
inline char* ScratchAt(int32_t mark) { return ScratchBuffer.base + mark; }

void StringsStart();

// Buffer primitives.
char* ScratchReserve(int32_t length, int32_t offset);
void ScratchAppend(const char* text);
void ScratchRewind(int32_t mark);
void ScratchGiveBack(int32_t bytes);
// 0 if text is not inside the used part of the buffer, else its offset + 1.
int32_t ScratchLocate(const char* text);
const char* ScratchRelocate(int32_t location);

// String values.
void StrAssign(StringValue* variable, const char* text);
void StrAssignTemp(StringValue* variable, int32_t mark);
void StrCopyNew(StringValue* variable, const char* text);
void StrFree(StringValue value);
// Kept as one of the runtime's fixed string functions, though the program calls it nowhere.
int StrEqual(const char* a, const char* b);

// String functions (results at mark, see above).
void StrLeft(const char* text, int32_t n, int32_t mark);
// Kept as one of the runtime's fixed string functions, though the program calls it nowhere.
void StrRight(const char* text, int32_t n, int32_t mark);
// Kept as one of the runtime's fixed string functions, though the program calls it nowhere.
void StrTrim(const char* text, int32_t mark);
void StrSpaces(int32_t n, int32_t mark);
void StrUpper(const char* text, int32_t mark);
void StrFromNumber(int64_t value, int32_t mark);
// Kept as one of the runtime's fixed string functions, though the program calls it nowhere.
void StrFromMemory(const void* address, int32_t mark);
void StrFilePart(const char* path, int32_t mark);
int32_t StrFirstCode(const char* text);
int32_t StrLength(const char* text);

// An expression built in the scratch buffer. It remembers the mark where it starts and
// rewinds the buffer to it when it goes out of scope, so a forgotten rewind cannot leak
// scratch space and an address is only formed when the text is used.
//
//   ScratchText path;
//   path.Append(ProgramFilesPath); path.Append("Brindlex\\");
//   FileCreate(0, path.Pass());    // steps past the terminator, then the address
//   path.AssignTo(&variable);      // or copy it into a variable
class ScratchText {
 public:
  ScratchText() : start_(ScratchBuffer.mark) { ScratchBuffer.base[start_] = 0; }
  ~ScratchText() { ScratchRewind(start_); }
  ScratchText(const ScratchText&) = delete;
  ScratchText& operator=(const ScratchText&) = delete;

  int32_t Start() const { return start_; }
  // Appends a text (null appends nothing) or a number; returns *this for chaining.
  ScratchText& Append(const char* text) { ScratchAppend(text); return *this; }
  ScratchText& AppendNumber(int64_t value) { StrFromNumber(value, ScratchBuffer.mark); return *this; }
  // The finished text, to be used before anything else is added to the buffer.
  const char* Get() const { return ScratchBuffer.base + start_; }
  int32_t Length() const { return ScratchBuffer.mark - start_ - (passed_ ? 1 : 0); }
  // Protects the text from later temporaries (steps past its terminator) and returns its
  // address, valid until the buffer next grows: form it for one call, after the last
  // Append.
  const char* Pass() {
    if (!passed_) { ScratchReserve(1, ScratchBuffer.mark); passed_ = true; }
    return ScratchBuffer.base + start_;
  }
  // Copies the text into a variable and rewinds.
  void AssignTo(StringValue* variable) {
    if (passed_) { ScratchBuffer.mark -= 1; passed_ = false; }
    StrAssignTemp(variable, start_);
  }

 private:
  int32_t start_;
  bool passed_ = false;
};
