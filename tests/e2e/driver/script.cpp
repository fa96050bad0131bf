#include "tests/e2e/driver/script.h"

#include <windows.h>
#include <ctype.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "install/installation.h"
#include "payload/manifest.h"
#include "payload/product_version.h"

bool Utf8ToCp1251(const std::string& utf8, std::string* cp1251) {
  cp1251->clear();
  if (utf8.empty()) return true;
  int wide = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), (int)utf8.size(), nullptr, 0);
  if (wide <= 0) return false;
  std::wstring text(wide, L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), (int)utf8.size(), &text[0], wide);
  BOOL lossy = FALSE;
  int bytes = WideCharToMultiByte(1251, WC_NO_BEST_FIT_CHARS, text.data(), wide, nullptr, 0, nullptr, &lossy);
  if (bytes <= 0 || lossy) return false;
  cp1251->resize(bytes);
  WideCharToMultiByte(1251, WC_NO_BEST_FIT_CHARS, text.data(), wide, &(*cp1251)[0], bytes, nullptr, nullptr);
  return true;
}

std::string Cp1251ToUtf8(const std::string& cp1251) {
  if (cp1251.empty()) return std::string();
  int wide = MultiByteToWideChar(1251, 0, cp1251.data(), (int)cp1251.size(), nullptr, 0);
  std::wstring text(wide, L'\0');
  MultiByteToWideChar(1251, 0, cp1251.data(), (int)cp1251.size(), &text[0], wide);
  int bytes = WideCharToMultiByte(CP_UTF8, 0, text.data(), wide, nullptr, 0, nullptr, nullptr);
  std::string utf8(bytes, '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), wide, &utf8[0], bytes, nullptr, nullptr);
  return utf8;
}

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// The marks that stand for line breaks inside a quoted text.
struct BreakMark {
  const char* mark;
  char standsFor;
};
constexpr BreakMark BreakMarks[] = {{"<CR>", '\r'}, {"<LF>", '\n'}};

// Reads the quoted text that starts after the opening quote at *i; leaves *i after the
// closing quote.
bool ReadQuoted(const std::string& line, size_t* i, std::string* word, std::string* error) {
  while (*i < line.size()) {
    char c = line[(*i)++];
    if (c == '"' && *i < line.size() && line[*i] == '"') {
      *word += '"';
      ++*i;
      continue;
    }
    if (c == '"') {
      if (*i < line.size() && !IsBlank(line[*i])) {
        *error = "a quoted text must be followed by a blank";
        return false;
      }
      return true;
    }
    bool marked = false;
    for (const BreakMark& b : BreakMarks) {
      if (line.compare(*i - 1, strlen(b.mark), b.mark) != 0) continue;
      *word += b.standsFor;
      *i += strlen(b.mark) - 1;
      marked = true;
      break;
    }
    if (!marked) *word += c;
  }
  *error = "unterminated quoted text";
  return false;
}

// A path given relative to this program's folder, made full.
std::string BesideProgram(const char* relative) {
  char self[MAX_PATH];
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  std::string path(self);
  path = path.substr(0, path.find_last_of("\\/") + 1) + relative;
  char full[MAX_PATH];
  DWORD length = GetFullPathNameA(path.c_str(), MAX_PATH, full, nullptr);
  return length > 0 && length < MAX_PATH ? std::string(full) : path;
}

// The marks that stand for what the build decides: the title, the build folder, the
// figures the payload manifest gives and the file the licence page's text is made from.
// The folders are given by the build relative to this program's folder.
struct BuildMark {
  const char* mark;
  std::string (*value)();
};
constexpr BuildMark BuildMarks[] = {
    {"{title}", [] { return std::string(BRX_PRODUCT_TITLE); }},
    {"{build}", [] { return BesideProgram(BRX_BUILD_FROM_PROGRAM); }},
    {"{last-position}", [] { return std::to_string(InstallLastPosition); }},
    {"{space-needed-kb}", [] { return std::string(BRX_SPACE_NEEDED_KB); }},
    {"{licence}", [] { return BesideProgram(BRX_LICENCE_FROM_PROGRAM); }},
};

void FillBuildMarks(std::string* word) {
  for (const BuildMark& b : BuildMarks) {
    size_t at = word->find(b.mark);
    if (at == std::string::npos) continue;
    const std::string value = b.value();
    for (; at != std::string::npos; at = word->find(b.mark, at + value.size()))
      word->replace(at, strlen(b.mark), value);
  }
}

}  // namespace

bool SplitLine(const std::string& line, std::vector<std::string>* words, std::string* error) {
  words->clear();
  size_t i = 0;
  while (i < line.size()) {
    if (IsBlank(line[i])) {
      ++i;
      continue;
    }
    std::string word;
    if (line[i] == '"') {
      ++i;
      if (!ReadQuoted(line, &i, &word, error)) return false;
    } else {
      while (i < line.size() && !IsBlank(line[i])) word += line[i++];
    }
    words->push_back(word);
  }
  return true;
}

// strtol's own base detection would read a leading zero as octal ("010" as 8).
bool ParseNumber(const std::string& word, long* value) {
  bool hex = word.size() > 2 && word[0] == '0' && (word[1] == 'x' || word[1] == 'X');
  const char* digits = word.c_str() + (hex ? 2 : 0);
  const char* first = digits + (!hex && *digits == '-' ? 1 : 0);
  if (!(hex ? isxdigit((unsigned char)*first) : isdigit((unsigned char)*first))) return false;
  char* end = nullptr;
  *value = strtol(digits, &end, hex ? 16 : 10);
  return *end == 0;
}

std::string Quoted(const std::string& text) {
  std::string out = "\"";
  for (char c : text) {
    if (c == '"') {
      out += "\"\"";
      continue;
    }
    const char* mark = nullptr;
    for (const BreakMark& b : BreakMarks)
      if (c == b.standsFor) mark = b.mark;
    if (mark) out += mark;
    else out += c;
  }
  return out + "\"";
}

bool IsHarnessStep(const Step& step) { return step.words[0] == "prepare" || step.words[0] == "check"; }

static std::string FolderOf(const std::string& path) {
  size_t slash = path.find_last_of("\\/");
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

bool ReadWholeFile(const std::string& path, std::string* content) {
  FILE* file = fopen(path.c_str(), "rb");
  if (!file) return false;
  content->clear();
  char buffer[4096];
  size_t got;
  while ((got = fread(buffer, 1, sizeof buffer, file)) > 0) content->append(buffer, got);
  fclose(file);
  return true;
}

static bool LoadInto(const std::string& path, int depth, std::vector<Step>* steps, std::string* error) {
  if (depth > 8) {
    *error = path + ": includes nested too deeply";
    return false;
  }
  std::string content;
  if (!ReadWholeFile(path, &content)) {
    *error = path + ": cannot be read";
    return false;
  }
  if (content.compare(0, 3, "\xEF\xBB\xBF") == 0) content.erase(0, 3);

  int number = 0;
  size_t start = 0;
  while (start <= content.size()) {
    size_t end = content.find('\n', start);
    if (end == std::string::npos) end = content.size();
    std::string utf8 = content.substr(start, end - start);
    start = end + 1;
    ++number;
    std::string where = path + ":" + std::to_string(number);
    std::string text;
    if (!Utf8ToCp1251(utf8, &text)) {
      *error = where + ": not UTF-8 text that Windows-1251 can hold";
      return false;
    }
    Step step;
    step.file = path;
    step.line = number;
    std::string why;
    if (!SplitLine(text, &step.words, &why)) {
      *error = where + ": " + why;
      return false;
    }
    if (step.words.empty() || step.words[0][0] == '#') continue;
    for (std::string& word : step.words) FillBuildMarks(&word);
    if (IsHarnessStep(step) && depth > 0) {
      // The harness runs only the scenario's own lines: one in an include would never run.
      *error = where + ": " + step.words[0] + " lines must stand in the scenario file itself";
      return false;
    }
    if (step.words[0] == "include") {
      if (step.words.size() != 2) {
        *error = where + ": include takes one file";
        return false;
      }
      if (!LoadInto(FolderOf(path) + step.words[1], depth + 1, steps, error)) return false;
      continue;
    }
    steps->push_back(step);
  }
  return true;
}

bool LoadScript(const std::string& path, std::vector<Step>* steps, std::string* error) {
  steps->clear();
  return LoadInto(path, 0, steps, error);
}
