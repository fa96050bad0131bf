#pragma once
// The system's guard against links that users made: with it on, the process follows no
// junction or other file-system redirection that was not made by an administrator, so a
// link planted on the way of the elevated setup's writes leads nowhere.
#include <windows.h>

// Switches the guard on with SetProcessMitigationPolicy, found through lookUp (kernel32's,
// Kernel32Function, in the program). False where the function is missing, or refuses the
// policy as systems from before the guard do; the program then goes on without it.
bool TrustOnlyAdministratorsRedirections(FARPROC (*lookUp)(const char* name));
