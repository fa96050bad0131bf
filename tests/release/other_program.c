/* A small Windows program that is not the stand-in: the payload folder of the release
   checks installs it as the application, to show that the setup carries any program. */
#include <windows.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR command, int show) {
  (void)instance;
  (void)previous;
  (void)command;
  (void)show;
  MessageBoxA(NULL, "Another program in the place of Brindlex.exe.", "Payload folder test", MB_OK);
  return 0;
}
