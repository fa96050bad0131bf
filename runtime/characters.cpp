#include "runtime/characters.h"

const char* CharacterAfter(const char* text, UINT codePage) {
  if (!*text) return text;
  if (IsDBCSLeadByteEx(codePage, static_cast<BYTE>(*text)) && text[1]) return text + 2;
  return text + 1;
}

bool EndsInBackslash(const char* text, UINT codePage) {
  if (!text) return false;
  const char* last = nullptr;
  for (const char* at = text; *at; at = CharacterAfter(at, codePage)) last = at;
  return last && *last == '\\';
}
