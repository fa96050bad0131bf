// The cost of the installation's integrity check: the CRC-32 of every payload block, as it
// is computed before each file is created. Prints "name value" lines: the bytes checked,
// the first pass (the blocks' pages still to be read in from the program file) and the
// fastest of the later passes, in milliseconds; exit code 1 if a block does not match.
#include <windows.h>
#include <stdio.h>
#include <zlib.h>
#include "payload/payload.h"

namespace {

double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return (double)(to.QuadPart - from.QuadPart) * 1000.0 / (double)frequency.QuadPart;
}

}  // namespace

int main() {
  constexpr int Passes = 11;
  double first = 0, fastest = 0;
  long long bytes = 0;
  bool intact = true;
  for (int pass = 0; pass < Passes; ++pass) {
    LARGE_INTEGER start, end;
    QueryPerformanceCounter(&start);
    for (const PayloadEntry& entry : PayloadTable)
      intact = intact && crc32(0, entry.data, (uInt)entry.size) == entry.crc;
    QueryPerformanceCounter(&end);
    double ms = Milliseconds(start, end);
    if (pass == 0) first = ms;
    else if (pass == 1 || ms < fastest) fastest = ms;
  }
  for (const PayloadEntry& entry : PayloadTable) bytes += entry.size;
  printf("crc_bytes %lld\ncrc_first_ms %.3f\ncrc_fastest_ms %.3f\n", bytes, first, fastest);
  return intact ? 0 : 1;
}
