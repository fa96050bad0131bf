#pragma once
// A visible toolkit window that receives the gadgets of one test, and small readers of what
// the gadgets show.
#include <gtest/gtest.h>
#include <windows.h>
#include <string>
#include "gadget_test_support.h"
#include "toolkit/window.h"

constexpr int KindTestWindow = 9;

class GadgetWindowTest : public testing::Test {
 protected:
  static constexpr int WindowNumber = KindTestWindow;
  void SetUp() override {
    window = (HWND)WindowOpen(WindowNumber, 20, 20, 420, 320, "kinds", 0);
    ASSERT_NE(nullptr, window);
    DrainEvents();
  }
  void TearDown() override {
    WindowClose(WindowNumber);
    DrainEvents();
  }
  HWND window = nullptr;
};

// GadgetGetText as a string.
std::string GadgetText(int gadget);
std::string ClassOf(HWND control);
SIZE WindowSize(HWND control);
