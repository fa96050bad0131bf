#include "tests/e2e/driver/harness_lines.h"

std::string HarnessRecords(const std::vector<Step>& steps) {
  std::string records;
  auto field = [&](const std::string& text) {
    records += text;
    records += '\0';
  };
  for (const Step& step : steps) {
    if (!IsHarnessStep(step)) continue;
    field(Cp1251ToUtf8(step.file.substr(step.file.find_last_of("\\/") + 1)) + ":" + std::to_string(step.line));
    field(std::to_string(step.words.size()));
    for (const std::string& word : step.words) field(Cp1251ToUtf8(word));
  }
  return records;
}
