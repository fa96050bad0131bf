#include "tests/e2e/driver/script.h"

#include <windows.h>
#include <stdio.h>

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

bool SplitLine(const std::string& line, std::vector<std::string>* words) {
  words->clear();
  size_t i = 0;
  while (i < line.size()) {
    char c = line[i];
    if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
      ++i;
      continue;
    }
    std::string word;
    if (c != '"') {
      while (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != '\r' && line[i] != '\n')
        word += line[i++];
      words->push_back(word);
      continue;
    }
    ++i;
    bool closed = false;
    while (i < line.size()) {
      char d = line[i++];
      if (d == '"' && i < line.size() && line[i] == '"') {
        word += '"';
        ++i;
        continue;
      }
      if (d == '"') {
        closed = true;
        break;
      }
      if (d == '\\' && i < line.size() && (line[i] == 'n' || line[i] == 'r')) {
        word += line[i++] == 'n' ? '\n' : '\r';
        continue;
      }
      word += d;
    }
    if (!closed) return false;
    words->push_back(word);
  }
  return true;
}

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
    if (!SplitLine(text, &step.words)) {
      *error = where + ": unterminated quoted text";
      return false;
    }
    if (step.words.empty() || step.words[0][0] == '#') continue;
    const std::string& verb = step.words[0];
    if (verb == "prepare" || verb == "check") continue;
    if (verb == "include") {
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
