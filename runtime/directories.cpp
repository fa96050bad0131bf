#include "runtime/files.h"
