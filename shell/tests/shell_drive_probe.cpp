// Prints, for each path argument, "<path> <drive type> <free megabytes>".
#include <stdio.h>

#include "runtime/strings.h"
#include "shell/drives.h"

int main(int argc, char** argv) {
  StringsStart();
  for (int i = 1; i < argc; ++i)
    printf("%s %d %d\n", argv[i], PathDriveType(argv[i]), DriveFreeMegabytes(argv[i]));
  return 0;
}
