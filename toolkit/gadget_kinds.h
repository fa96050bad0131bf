#pragma once
// Creators of the nine gadget kinds. Each returns the native handle for a fixed number,
// the new number for AutoNumber, and 0 on failure.
#include "toolkit/button.h"
#include "toolkit/container.h"
#include "toolkit/edit_field.h"
#include "toolkit/image_box.h"
#include "toolkit/label.h"
#include "toolkit/list_box.h"
#include "toolkit/progress_bar.h"
#include "toolkit/text_editor.h"

// Edit field / label flag: swaps the kind's client edge. An edit field, which has one,
// loses it; a label, which has none, gains one. The bit is also WS_GROUP, which both
// kinds carry anyway. The setup does not use it; it stays as the two kinds' for any caller.
constexpr uint32_t GadgetFlagSwapClientEdge = 0x20000;
