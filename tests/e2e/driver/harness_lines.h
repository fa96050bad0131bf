#pragma once
// The harness's lines of a scenario, handed to bash in a form it reads without parsing:
// for each line its place ("FILE:LINE"), its number of words and the words, every field
// UTF-8 and ended by a NUL byte (a NUL is the one byte a scenario's words cannot hold).
#include <string>
#include <vector>

#include "tests/e2e/driver/script.h"

std::string HarnessRecords(const std::vector<Step>& steps);
