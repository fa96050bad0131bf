#include "wizard/typed_folders.h"
#include <string.h>
#include "payload/manifest.h"

// A path may have 259 characters; the destination ends in its backslash.
static_assert(DestinationMaxLength + LongestInstalledPath <= 259,
              "the deepest installed file must fit below the longest destination allowed");

namespace {

bool IsDriveLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

// Characters that no file or folder name may hold; the colon is left to the callers.
bool IsForbiddenInName(char c) {
  return static_cast<unsigned char>(c) < 0x20 || (c != 0 && strchr("<>\"|?*", c) != nullptr);
}

// A part that is "..", or "..." which the system's path handling may shorten to "..",
// blanks around it ignored. The Start-menu list leaves out the same names.
bool ClimbsUp(const char* part, size_t length) {
  while (length > 0 && part[0] == ' ') ++part, --length;
  while (length > 0 && part[length - 1] == ' ') --length;
  return (length == 2 || length == 3) && strncmp(part, "...", length) == 0;
}

}  // namespace

bool DestinationIsUsable(const char* destination) {
  if (!destination || !IsDriveLetter(destination[0]) || destination[1] != ':' || destination[2] != '\\')
    return false;
  size_t length = strlen(destination);
  for (size_t i = 3; i < length; ++i)
    if (destination[i] == ':' || IsForbiddenInName(destination[i])) return false;
  if (destination[length - 1] != '\\') ++length;
  return length <= DestinationMaxLength;
}

bool StartMenuNameIsUsable(const char* name, size_t programsFolderLength) {
  if (!name) name = "";
  if (IsSeparator(name[0])) return false;
  const char* part = name;
  const char* at = name;
  for (;; ++at) {
    if (*at == 0 || IsSeparator(*at)) {
      if (ClimbsUp(part, at - part)) return false;
      if (*at == 0) break;
      part = at + 1;
    } else if (*at == ':' || IsForbiddenInName(*at)) {
      return false;
    }
  }
  return programsFolderLength + (at - name) <= StartMenuMaxLength;
}
