// What the stand-in application shows, as its tests find it.
#pragma once

constexpr wchar_t StandinWindowClass[] = L"BrindlexWindow";
constexpr wchar_t StandinTitle[] = L"Brindlex";
constexpr int StandinTextId = 101;  // the static control that describes the open document
constexpr int StandinHeadingId = 102;  // the static control with the product's title
