#pragma once
// The wizard's program globals (the program heap and the instance handle are the
// runtime's), and the program's three phases: start-up, the event loop and shut-down.
// CurrentPage and PageHeadings belong to the page flow (pages.cpp), which defines them.
#include <windows.h>
#include <stdint.h>
#include "runtime/array.h"
#include "runtime/strings.h"

extern StringValue ProductTitle;
extern int32_t CurrentPage;
extern StringValue CommonProgramsPath;
extern StringValue ProgramFilesPath;
extern StringValue CommonDesktopPath;
extern StringValue QuickLaunchPath;
// The user's application-data folder, which QuickLaunchPath lies below.
extern StringValue AppDataPath;
extern HFONT FontTitle, FontBody, FontHeading, FontSmall;
// 11 pages by 3 columns: column 1 the heading, column 2 the sub-heading.
extern ArrayVariable<2> PageHeadings;
extern int32_t QuitRequested;
// The display's pixels per inch, read once at start-up: the value the fonts are sized by.
extern int32_t ScreenDpi;

// Runs the whole program; never returns.
[[noreturn]] void RunSetupProgram();
// Stops the libraries and ends the process with exit code 0. Also the end of a fatal
// installation error.
[[noreturn]] void ShutDown();

// Steps of start-up that tests repeat without running the event loop.
void StartRuntime();
void PrepareWizardData();

// One pass of the event loop for the event kind that a wait has just returned: the wizard's
// reaction, then the cancel question and Finish, which set QuitRequested.
void ProcessEvent(int32_t kind);
