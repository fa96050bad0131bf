#include "image/resample.h"
#include <math.h>
#include "runtime/heaps.h"

namespace {

constexpr int64_t WeightOne = 1 << 14;  // the weights of one axis add up to this

struct Tap {
  int32_t source;
  int32_t weight;
};

// The taps of every new position along one axis: tapsPerPosition entries each, unused
// ones with weight 0.
struct AxisTaps {
  Tap* taps;
  int32_t tapsPerPosition;
};

// Old positions beyond the edge count as the edge pixel itself.
int32_t Clamp(int32_t position, int32_t size) {
  return position < 0 ? 0 : position >= size ? size - 1 : position;
}

void WeighPosition(int32_t position, int32_t from, int32_t to, Tap* taps, int32_t tapsPerPosition) {
  double scale = (double)from / to;
  double reach = scale > 1 ? scale : 1;
  double centre = (position + 0.5) * scale - 0.5;
  int32_t first = (int32_t)floor(centre - reach) + 1;
  double raw[64];
  double total = 0;
  int32_t count = 0;
  for (int32_t source = first; count < tapsPerPosition && source - centre < reach; ++source, ++count) {
    double distance = fabs(source - centre);
    raw[count] = distance < reach ? reach - distance : 0;
    total += raw[count];
  }
  int32_t given = 0, largest = 0;
  for (int32_t i = 0; i < tapsPerPosition; ++i) {
    taps[i].source = Clamp(first + i, from);
    taps[i].weight = i < count ? (int32_t)(raw[i] / total * WeightOne) : 0;
    given += taps[i].weight;
    if (taps[i].weight > taps[largest].weight) largest = i;
  }
  taps[largest].weight += (int32_t)(WeightOne - given);  // the rounding remainder
}

bool WeighAxis(int32_t from, int32_t to, AxisTaps* axis) {
  int32_t reach = (from + to - 1) / to;  // whole old pixels a new one reaches, at least 1
  axis->tapsPerPosition = 2 * reach + 1;
  if (axis->tapsPerPosition > 64) return false;
  axis->taps = static_cast<Tap*>(ProgramAlloc(sizeof(Tap) * axis->tapsPerPosition * to));
  if (!axis->taps) return false;
  for (int32_t position = 0; position < to; ++position)
    WeighPosition(position, from, to, axis->taps + position * axis->tapsPerPosition, axis->tapsPerPosition);
  return true;
}

uint8_t Rounded(int64_t sum, int64_t total) {
  int64_t value = (sum + total / 2) / total;
  return (uint8_t)(value > 255 ? 255 : value);
}

void MakePixel(const PixelPicture& from, const Tap* rows, const Tap* columns, int32_t rowTaps,
               int32_t columnTaps, bool alphaWeighted, uint8_t* made) {
  int64_t sums[4] = {0, 0, 0, 0};
  for (int32_t r = 0; r < rowTaps; ++r) {
    if (!rows[r].weight) continue;
    const uint8_t* row = from.pixels + (int64_t)rows[r].source * from.width * 4;
    for (int32_t c = 0; c < columnTaps; ++c) {
      if (!columns[c].weight) continue;
      const uint8_t* pixel = row + columns[c].source * 4;
      int64_t weight = (int64_t)rows[r].weight * columns[c].weight;
      int64_t colourWeight = alphaWeighted ? weight * pixel[3] : weight;
      for (int channel = 0; channel < 3; ++channel) sums[channel] += colourWeight * pixel[channel];
      sums[3] += weight * pixel[3];
    }
  }
  constexpr int64_t Whole = WeightOne * WeightOne;
  int64_t colourTotal = alphaWeighted ? sums[3] : Whole;
  for (int channel = 0; channel < 3; ++channel) made[channel] = colourTotal ? Rounded(sums[channel], colourTotal) : 0;
  made[3] = Rounded(sums[3], Whole);
}

}  // namespace

bool ResamplePicture(const PixelPicture& from, const PixelPicture& to, bool alphaWeighted) {
  if (from.width <= 0 || from.height <= 0 || to.width <= 0 || to.height <= 0) return false;
  AxisTaps rows = {}, columns = {};
  bool weighed = WeighAxis(from.height, to.height, &rows) && WeighAxis(from.width, to.width, &columns);
  if (weighed) {
    for (int32_t y = 0; y < to.height; ++y) {
      const Tap* rowTaps = rows.taps + y * rows.tapsPerPosition;
      for (int32_t x = 0; x < to.width; ++x)
        MakePixel(from, rowTaps, columns.taps + x * columns.tapsPerPosition, rows.tapsPerPosition,
                  columns.tapsPerPosition, alphaWeighted, to.pixels + ((int64_t)y * to.width + x) * 4);
    }
  }
  ProgramFree(rows.taps);
  ProgramFree(columns.taps);
  return weighed;
}
