#pragma once
// Scenario scripts: one command per line, words separated by blanks, texts in double
// quotes. Inside a quoted text "" stands for one double quote, \n and \r for line breaks,
// and every other backslash is itself, so paths are written as they are. Lines starting with # are comments;
// "include FILE" inserts another script (relative to the including one). Lines whose
// first word is "prepare" or "check" belong to the harness and are skipped here.
// Scripts are UTF-8; every word is converted to Windows-1251, the program's code page.
#include <string>
#include <vector>

struct Step {
  std::string file;  // the script it came from, for messages
  int line = 0;
  std::vector<std::string> words;  // Windows-1251
};

// Loads a script and its includes. On failure returns false and describes the problem.
bool LoadScript(const std::string& path, std::vector<Step>* steps, std::string* error);

// The bytes of a file as they are; false when it cannot be read.
bool ReadWholeFile(const std::string& path, std::string* content);

// Splits one line into words; false on an unterminated quote.
bool SplitLine(const std::string& line, std::vector<std::string>* words);

// Code-page conversions through UTF-16. False when a character has no Windows-1251 form.
bool Utf8ToCp1251(const std::string& utf8, std::string* cp1251);
std::string Cp1251ToUtf8(const std::string& cp1251);
