#include "image/image.h"

void DecodersStart() {}
void ImagesStart() {}
void ImagesStop() {}
