#pragma once
// Containers: child windows of the toolkit's own class that hold other gadgets.
#include <windows.h>
#include <stdint.h>

intptr_t CreateContainer(intptr_t number, int x, int y, int width, int height, uint32_t flags);

// Container flags: the first one set chooses the border. The setup's pages use the static
// edge; the other borders stay as the container kind's for any caller.
constexpr uint32_t ContainerThinBorder = 1;
constexpr uint32_t ContainerDialogFrame = 2;
constexpr uint32_t ContainerStaticEdge = 4;
constexpr uint32_t ContainerClientEdge = 8;
