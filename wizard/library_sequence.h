#pragma once
// The fixed orders in which the program starts and stops the libraries it is built on.
void StartLibraries();
void StopLibraries();
