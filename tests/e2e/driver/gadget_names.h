#pragma once
// The wizard's gadgets by the names wizard/gadgets.h gives them, so that a scenario can say
// "click BtnNext" where a bare number would say little.
#include <string>

// The control number a scenario word stands for: a number, or a gadget's name.
bool ControlNumber(const std::string& word, long* number);

// The name of the wizard's gadget with that number, or "" when it has none.
std::string GadgetName(long number);

// A control number for messages: "BtnNext (22)", or the bare number when no gadget has it.
std::string ControlLabel(long number);
