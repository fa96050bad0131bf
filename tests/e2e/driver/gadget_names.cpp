#include "tests/e2e/driver/gadget_names.h"

#include "tests/e2e/driver/script.h"
#include "wizard/gadgets.h"

namespace {

struct GadgetEntry {
  const char* name;
  long number;
};

constexpr GadgetEntry Gadgets[] = {
#define GADGET_ENTRY(name, number) {#name, number},
    WIZARD_GADGETS(GADGET_ENTRY)
#undef GADGET_ENTRY
};

}  // namespace

bool ControlNumber(const std::string& word, long* number) {
  if (ParseNumber(word, number)) return true;
  for (const GadgetEntry& gadget : Gadgets) {
    if (word != gadget.name) continue;
    *number = gadget.number;
    return true;
  }
  return false;
}

std::string GadgetName(long number) {
  for (const GadgetEntry& gadget : Gadgets)
    if (gadget.number == number) return gadget.name;
  return std::string();
}

std::string ControlLabel(long number) {
  std::string name = GadgetName(number);
  return name.empty() ? std::to_string(number) : name + " (" + std::to_string(number) + ")";
}
