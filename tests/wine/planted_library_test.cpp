// A library planted beside the program under a declared name is never loaded.
//
// Wine prefers its builtin system libraries even over a file asked for by
// full path, which would hide a binder that searches the program's folder.
// The probes therefore run with "native first" for shlwapi, and a control
// case proves that the standard search order then does load the plant.
#include <gtest/gtest.h>

#include "app/fatal_error_box.h"
#include "tests/wine/wine_support.h"

namespace movaro::testing {
namespace {

std::string PlantedFolder() { return ProgramFolder() + "\\planted"; }

std::string MarkerOf(DWORD processId) {
  return PlantedFolder() + "\\planted-dll-was-loaded-" + std::to_string(processId);
}

class PlantedLibraryTest : public ::testing::Test {
 protected:
  static constexpr char kProbeDefaults[] = R"(Software\Wine\AppDefaults\binding_probe.exe)";

  PlantedLibraryTest() {
    HKEY overrides = nullptr;
    ::RegCreateKeyExA(HKEY_CURRENT_USER, (std::string(kProbeDefaults) + "\\DllOverrides").c_str(),
                      0, nullptr, 0, KEY_SET_VALUE, nullptr, &overrides, nullptr);
    ::RegSetValueExA(overrides, "shlwapi", 0, REG_SZ,
                     reinterpret_cast<const BYTE*>("native,builtin"), 15);
    ::RegCloseKey(overrides);
  }
  ~PlantedLibraryTest() override {
    ::RegDeleteTreeA(HKEY_CURRENT_USER, kProbeDefaults);
    ::DeleteFileA(MarkerOf(probe.processId).c_str());
  }

  void RunProbe(const char* mode) {
    probe = RunProcess("\"" + PlantedFolder() + "\\binding_probe.exe\" " + mode);
    ASSERT_TRUE(probe.finished);
  }

  ProcessResult probe{};
};

TEST_F(PlantedLibraryTest, StandardSearchOrderWouldLoadThePlant) {
  RunProbe("standard-search");
  EXPECT_EQ(probe.exitCode, 0x5EEDu);
  EXPECT_TRUE(Exists(MarkerOf(probe.processId)));
}

TEST_F(PlantedLibraryTest, DeclaredFunctionComesFromTheSystemDirectory) {
  RunProbe("bind");
  EXPECT_EQ(probe.exitCode, 16u) << "the real PathIsDirectoryW answered";
  EXPECT_FALSE(Exists(MarkerOf(probe.processId)));
}

// What the probe's error boxes showed; one box is expected.
struct SeenBoxes {
  int count = 0;
  std::string text;
} seen;

BOOL CALLBACK CollectText(HWND child, LPARAM) {
  char text[512];
  ::GetWindowTextA(child, text, sizeof text);
  seen.text += text;
  seen.text += '\n';
  return TRUE;
}

BOOL CALLBACK CloseBoxOf(HWND window, LPARAM processId) {
  DWORD owner = 0;
  ::GetWindowThreadProcessId(window, &owner);
  if (owner == static_cast<DWORD>(processId) && ::IsWindowVisible(window)) {
    ++seen.count;
    ::EnumChildWindows(window, CollectText, 0);
    ::PostMessageA(window, WM_COMMAND, IDOK, 0);
  }
  return TRUE;
}

TEST(FatalBindingTest, ShowsOneBoxThenEndsWithTheFatalExitCode) {
  seen = {};
  const ProcessResult probe = RunProcess(
      "\"" + PlantedFolder() + "\\binding_probe.exe\" missing-function", 20000,
      [](DWORD processId) { ::EnumWindows(CloseBoxOf, static_cast<LPARAM>(processId)); });

  ASSERT_TRUE(probe.finished);
  EXPECT_EQ(probe.exitCode, kFatalExitCode);
  EXPECT_EQ(seen.count, 1);
  EXPECT_NE(seen.text.find("Kernel32.dll"), std::string::npos) << seen.text;
  EXPECT_NE(seen.text.find("NoSuchFunction"), std::string::npos) << seen.text;
}

}  // namespace
}  // namespace movaro::testing
