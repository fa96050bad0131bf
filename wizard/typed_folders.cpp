#include "wizard/typed_folders.h"
#include <string.h>
#include "payload/manifest.h"
#include "runtime/characters.h"

// A path may have 259 characters; the destination ends in its backslash.
static_assert(DestinationMaxLength + LongestInstalledPath <= 259,
              "the deepest installed file must fit below the longest destination allowed");

namespace {

bool IsDriveLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// Characters that no file or folder name may hold. None of them, nor a blank or a dot, is
// ever the second byte of a double-byte character, so the bytes of a name can be compared
// with them once the name's bounds are found by character.
bool IsForbiddenInName(char c) {
  return static_cast<unsigned char>(c) < 0x20 || (c != 0 && strchr(":<>\"|?*", c) != nullptr);
}

char AsciiUpper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

bool SameLetters(const char* text, size_t length, const char* upper) {
  if (strlen(upper) != length) return false;
  for (size_t i = 0; i < length; ++i)
    if (AsciiUpper(text[i]) != upper[i]) return false;
  return true;
}

const char* const DeviceNames[] = {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"};

// The system takes such a name for a device, whatever extension follows it.
bool IsDeviceName(const char* name, size_t length) {
  size_t stem = 0;
  while (stem < length && name[stem] != '.') ++stem;
  while (stem > 0 && name[stem - 1] == ' ') --stem;
  for (const char* device : DeviceNames)
    if (SameLetters(name, stem, device)) return true;
  return stem == 4 && (SameLetters(name, 3, "COM") || SameLetters(name, 3, "LPT")) && name[3] >= '1' &&
         name[3] <= '9';
}

// A name that ends in a blank or a dot (".", ".." among them) is made without them, or
// not at all, and a folder made so cannot be opened or deleted by ordinary means. An empty
// name (two separators in a row, or the end) is left to the callers.
bool NameIsHoldable(const char* name, size_t length) {
  if (length == 0) return true;
  char last = name[length - 1];
  return last != ' ' && last != '.' && !IsDeviceName(name, length);
}

enum class Slash { Refused, Separates };

// Checks every character and every folder name of path, separated by backslashes (and
// slashes, when they separate too), and sets *end to its terminator.
bool NamesAreHoldable(const char* path, Slash slash, UINT codePage, const char** end) {
  const char* name = path;
  const char* at = path;
  for (;; at = CharacterAfter(at, codePage)) {
    if (*at == 0 || *at == '\\' || (*at == '/' && slash == Slash::Separates)) {
      if (!NameIsHoldable(name, at - name)) return false;
      if (*at == 0) break;
      name = at + 1;
    } else if (*at == '/' || IsForbiddenInName(*at)) {
      return false;
    }
  }
  *end = at;
  return true;
}

}  // namespace

size_t LengthWithoutTrailingBlanks(const char* text) {
  // A blank is never the second byte of a double-byte character.
  size_t length = text ? strlen(text) : 0;
  while (length > 0 && text[length - 1] == ' ') --length;
  return length;
}

OwnedText DestinationNormalForm(const char* typed, UINT codePage) {
  int32_t kept = static_cast<int32_t>(LengthWithoutTrailingBlanks(typed));
  OwnedText form;
  ScratchText text;
  text.Append(typed);
  ScratchRewind(text.Start() + kept);
  const char* trimmed = text.Get();
  if (kept > 0 && trimmed[kept - 1] != ':' && !EndsInBackslash(trimmed, codePage)) text.Append("\\");
  text.AssignTo(form.Slot());
  return form;
}

bool DestinationIsUsable(const char* destination, UINT codePage) {
  if (!destination || !IsDriveLetter(destination[0]) || destination[1] != ':' || destination[2] != '\\')
    return false;
  const char* end;
  if (!NamesAreHoldable(destination + 3, Slash::Refused, codePage, &end)) return false;
  // A drive's root, however many backslashes follow it, names no folder of the program's
  // own. A backslash is never the first byte of a double-byte character.
  const char* name = destination + 3;
  while (name < end && *name == '\\') ++name;
  if (name == end) return false;
  size_t length = end - destination;
  if (!EndsInBackslash(destination, codePage)) ++length;
  return length <= DestinationMaxLength;
}

bool StartMenuNameIsUsable(const char* name, size_t programsFolderLength, UINT codePage) {
  if (!name || !*name || *name == '\\' || *name == '/') return false;
  const char* end;
  if (!NamesAreHoldable(name, Slash::Separates, codePage, &end)) return false;
  return programsFolderLength + (end - name) <= StartMenuMaxLength;
}
