#include "tests/e2e/driver/text_match.h"

#include <windows.h>
#include <stdlib.h>

namespace {

// Other programs writing to the same disk between the setup's reading and ours: a twentieth
// of the free space, and never less than 256 MB.
long long FreeSpaceMarginMb(long long freeMb) {
  long long share = freeMb / 20;
  return share > 256 ? share : 256;
}

bool StartsWith(const std::string& text, size_t at, const char* prefix) {
  return text.compare(at, strlen(prefix), prefix) == 0;
}

size_t CountDigits(const std::string& text, size_t at) {
  size_t n = 0;
  while (at + n < text.size() && text[at + n] >= '0' && text[at + n] <= '9') ++n;
  return n;
}

bool MatchFrom(const std::string& expected, size_t e, const std::string& actual, size_t a) {
  while (e < expected.size()) {
    if (expected[e] == '{') {
      size_t close = expected.find('}', e);
      if (close != std::string::npos) {
        std::string placeholder = expected.substr(e + 1, close - e - 1);
        size_t next = close + 1;
        if (placeholder == "any") {
          for (size_t end = a; end <= actual.size(); ++end)
            if (MatchFrom(expected, next, actual, end)) return true;
          return false;
        }
        if (placeholder == "number" || StartsWith(placeholder, 0, "free-mb ")) {
          size_t digits = CountDigits(actual, a);
          if (digits == 0) return false;
          if (placeholder != "number") {
            long long shown = atoll(actual.substr(a, digits).c_str());
            long long now = FreeMegabytes(placeholder.substr(8));
            if (now < 0 || llabs(shown - now) > FreeSpaceMarginMb(now)) return false;
          }
          e = next;
          a += digits;
          continue;
        }
      }
    }
    if (a >= actual.size() || actual[a] != expected[e]) return false;
    ++a;
    ++e;
  }
  return a == actual.size();
}

}  // namespace

long long FreeMegabytes(const std::string& drive) {
  ULARGE_INTEGER available, total, free;
  std::string root = drive + "\\";
  if (!GetDiskFreeSpaceExA(root.c_str(), &available, &total, &free)) return -1;
  return (long long)(free.QuadPart / 1048576);
}

bool TextMatches(const std::string& expected, const std::string& actual) {
  return MatchFrom(expected, 0, actual, 0);
}
