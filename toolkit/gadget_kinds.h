#pragma once
// Creators of the nine gadget kinds. Each returns the native handle for a fixed number,
// the new number for AutoNumber, and 0 on failure.
#include <windows.h>
#include <stdint.h>

intptr_t CreateButton(intptr_t number, int x, int y, int width, int height, const char* text, uint32_t flags = 0);
intptr_t CreateCheckBox(intptr_t number, int x, int y, int width, int height, const char* text, uint32_t flags = 0);
intptr_t CreateEditField(intptr_t number, int x, int y, int width, int height, const char* text, uint32_t flags = 0);
intptr_t CreateLabel(intptr_t number, int x, int y, int width, int height, const char* text, uint32_t flags = 0);
intptr_t CreateListBox(intptr_t number, int x, int y, int width, int height, uint32_t flags = 0);
intptr_t CreateImageBox(intptr_t number, int x, int y, int width, int height, HANDLE image);
intptr_t CreateContainer(intptr_t number, int x, int y, int width, int height, uint32_t flags);
intptr_t CreateProgressBar(intptr_t number, int x, int y, int width, int height, int32_t minimum, int32_t maximum,
                           uint32_t flags);
intptr_t CreateTextEditor(intptr_t number, int x, int y, int width, int height, uint32_t flags);

// Container flags.
constexpr uint32_t ContainerThinBorder = 1;
constexpr uint32_t ContainerDialogFrame = 2;
constexpr uint32_t ContainerStaticEdge = 4;
constexpr uint32_t ContainerClientEdge = 8;
// Edit field / label flag: swaps the kind's client edge. An edit field, which has one,
// loses it; a label, which has none, gains one. The bit is also WS_GROUP, which both
// kinds carry anyway.
constexpr uint32_t GadgetFlagSwapClientEdge = 0x20000;
