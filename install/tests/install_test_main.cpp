// GoogleTest entry for installations through the real wizard: the program's own start-up.
#include <gtest/gtest.h>
#include "../../wizard/tests/wizard_driver.h"

int main(int argc, char** argv) {
  StartWizardProgram();
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
