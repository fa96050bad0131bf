#include <windows.h>
#include "wizard/program.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) { RunSetupProgram(); }
