#pragma once
// The libraries a toolkit test program needs, started and stopped in the program's order:
// the program heap, the strings and node heap, then fonts, windows, gadgets and requesters.
void StartToolkitLibraries();
void StopToolkitLibraries();
