// The cost of the installation's integrity check: the CRC-32 of every embedded block, as the
// installation computes it before it creates anything. Prints "name value" lines: the bytes
// checked, the first pass (the blocks' pages still to be read in from the program file) and
// the fastest of the later passes, in milliseconds; exit code 1 if a block does not match.
#include <windows.h>
#include <stdio.h>
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
    intact = intact && !FirstDamagedBlock();
    QueryPerformanceCounter(&end);
    double ms = Milliseconds(start, end);
    if (pass == 0) first = ms;
    else if (pass == 1 || ms < fastest) fastest = ms;
  }
  for (const PayloadEntry& entry : PayloadTable) bytes += entry.size;
  // The blocks that are only shown (the licence text is installed).
  bytes += EmbeddedPicture(0).size + EmbeddedPicture(1).size + EmbeddedIcon(2).size + EmbeddedIcon(3).size;
  bytes += WelcomeText().length + 1 + FinishText().length + 1;
  printf("crc_bytes %lld\ncrc_first_ms %.3f\ncrc_fastest_ms %.3f\n", bytes, first, fastest);
  return intact ? 0 : 1;
}
