// Start-up baseline: the plain window and nothing else.
#include "bench/plain_window.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) { ShowAndRun(CreatePlainWindow()); }
