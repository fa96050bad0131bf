#include "image/decoder_registry.h"

DecoderRegistry Decoders;

void DecodersStart() {
  Decoders.count = 0;
  Decoders.current = nullptr;
}

int RegisterDecoder(const ImageDecoder* decoder) {
  for (int i = 0; i < Decoders.count; ++i)
    if (Decoders.decoders[i] == decoder) return 1;
  if (Decoders.count >= MaxDecoders) return 0;
  Decoders.decoders[Decoders.count++] = decoder;
  return 1;
}

int CheckWithDecoders(const uint8_t* data, uint32_t size) {
  for (int i = 0; i < Decoders.count; ++i) {
    int kind = Decoders.decoders[i]->check(data, size);
    if (kind != DecodedNone) {
      Decoders.current = Decoders.decoders[i];
      return kind;
    }
  }
  return DecodedNone;
}
