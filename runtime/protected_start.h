#pragma once
// The first step of a program that runs elevated from a downloads folder, taken before
// anything can load a library or follow a link.

// Restricts the DLL search (RestrictDllSearch), switches the redirection guard on where the
// system offers it, and where the search still begins in the program's own folder, loads
// the system libraries from the system folder (PreloadSystemLibraries).
void ProtectProcess();
