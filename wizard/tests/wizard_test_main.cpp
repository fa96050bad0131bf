// GoogleTest entry for tests on the real wizard: the program's own start-up, then a fresh
// wizard for each test. Install runs the fake installation.
#include <gtest/gtest.h>
#include <string>
#include "fake_installation.h"
#include "wizard/installing_page.h"
#include "wizard/program.h"
#include "wizard_driver.h"

namespace {

// The all-users Programs folder holds a folder "Accessories" and a plain file, which the
// Start-menu list must show and leave out.
void PrepareProgramsFolder() {
  std::string programs = CommonProgramsPath;
  CreateDirectoryA(programs.c_str(), nullptr);
  CreateDirectoryA((programs + "Accessories").c_str(), nullptr);
  HANDLE file = CreateFileA((programs + "wizard-test-file.txt").c_str(), GENERIC_WRITE, 0, nullptr,
                            CREATE_ALWAYS, 0, nullptr);
  CloseHandle(file);
}

}  // namespace

int main(int argc, char** argv) {
  StartWizardProgram();
  PrepareProgramsFolder();
  WizardInstallation = FakeInstallation;
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
