#pragma once
// Little-endian fields read from unaligned picture data.
#include <stdint.h>
#include <string.h>

inline uint16_t ReadU16(const uint8_t* at) {
  uint16_t value;
  memcpy(&value, at, sizeof value);
  return value;
}

inline uint32_t ReadU32(const uint8_t* at) {
  uint32_t value;
  memcpy(&value, at, sizeof value);
  return value;
}

inline int32_t ReadI32(const uint8_t* at) { return (int32_t)ReadU32(at); }
