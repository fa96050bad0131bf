#pragma once
// Comparing a control's text with the text a scenario expects. Besides plain text the
// expectation may hold placeholders:
//   {any}        any text, also none
//   {number}     one or more decimal digits
//   {free-mb D:} the free megabytes of drive D as the driver reads them now; other programs
//                writing to the same disk meanwhile are allowed for by a margin of a
//                twentieth of the free space (at least 256 MB)
#include <string>

bool TextMatches(const std::string& expected, const std::string& actual);

// The free whole megabytes of a drive ("D:"), -1 when it cannot be read.
long long FreeMegabytes(const std::string& drive);
