/* A small Windows program that is not the stand-in: the payload folder of the release
   checks installs it as the application, to show that the setup carries any program. */
#include <windows.h>

int main(void) {
  MessageBoxA(NULL, "Another program in the place of Brindlex.exe.", "Payload folder test", MB_OK);
  return 0;
}
