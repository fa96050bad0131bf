#include "runtime/files.h"

void FilesStart() {}
void FilesStop() {}
