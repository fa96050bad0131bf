#pragma once
// Scenario scripts: one command per line, words separated by blanks, texts in double
// quotes. Inside a quoted text "" stands for one double quote, <CR> and <LF> for a carriage
// return and a line feed, and every other character, the backslash included, is itself: a
// Windows path is written as it is, and since no path can hold "<" the two marks cannot be
// mistaken for part of one. Lines starting with # are comments; "include FILE" inserts
// another script (relative to the including one). Lines whose first word is "prepare" or
// "check" are the harness's; they must stand in the scenario file itself.
// Scripts are UTF-8; every word is converted to Windows-1251, the program's code page.
// Marks stand, in any word, for what the build decides: {title} for the product's title as
// this build spells it, {build} for the build folder as a Windows path, {last-position} for
// the last position of the installation's progress bar, {space-needed-kb} for the
// space-needed figure of the payload manifest, {licence} for the full path of the file the
// licence text is made from (in the payload folder, when the build has one).
#include <string>
#include <vector>

struct Step {
  std::string file;  // the script it came from, for messages
  int line = 0;
  std::vector<std::string> words;  // Windows-1251
};

// Loads a script and its includes, the harness's lines among them. On failure returns
// false and describes the problem.
bool LoadScript(const std::string& path, std::vector<Step>* steps, std::string* error);

// A line the harness runs ("prepare ..." before the program starts, "check ..." after).
bool IsHarnessStep(const Step& step);

// A whole word as a number (decimal, or hexadecimal with 0x).
bool ParseNumber(const std::string& word, long* value);

// A text as a script writes it: in quotes, with its quotes doubled and its line breaks
// as marks.
std::string Quoted(const std::string& text);

// The bytes of a file as they are; false when it cannot be read.
bool ReadWholeFile(const std::string& path, std::string* content);

// Splits one line into words; false, with the reason, when it breaks the quoting rules.
bool SplitLine(const std::string& line, std::vector<std::string>* words, std::string* error);

// Code-page conversions through UTF-16. False when a character has no Windows-1251 form.
bool Utf8ToCp1251(const std::string& utf8, std::string* cp1251);
std::string Cp1251ToUtf8(const std::string& cp1251);
