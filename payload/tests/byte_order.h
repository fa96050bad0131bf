// Numbers read from the bytes of a file format, in either byte order.
#pragma once
#include <stdint.h>

inline uint32_t BigEndian32(const uint8_t* p) { return uint32_t(p[0]) << 24 | p[1] << 16 | p[2] << 8 | p[3]; }
inline uint16_t BigEndian16(const uint8_t* p) { return uint16_t(p[0] << 8 | p[1]); }
inline uint16_t Little16(const uint8_t* p) { return uint16_t(p[0] | p[1] << 8); }
inline uint32_t Little32(const uint8_t* p) {
  return uint32_t(p[0] | p[1] << 8 | p[2] << 16 | uint32_t(p[3]) << 24);
}
