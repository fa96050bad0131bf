#pragma once
// Script commands on the window's layout at a screen density: "density DPI" and
// "expect-rect ID X Y W H".
#include "tests/e2e/driver/driver.h"

bool RunDensity(Driver& d, const Step& s, std::string* error);
bool RunExpectRect(Driver& d, const Step& s, std::string* error);
