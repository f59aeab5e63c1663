// The relocation core on the real Windows functions, in a folder of its own.
#pragma once

#include <gtest/gtest.h>

#include <vector>

#include "app/win32_module_loader.h"
#include "app/win32_profile_writer.h"
#include "core/settings_folder.h"
#include "core/system_functions.h"
#include "tests/wine/wine_support.h"

namespace movaro::testing {

// The status bar and edit box of the main window, as plain values.
struct WindowDouble final : StatusLine, MessageDirectoryBox {
  void SetStatusPartText(int partIndex, const Text& text) override {
    if (partIndex >= 0 && partIndex < 2) {
      parts[static_cast<std::size_t>(partIndex)] = text;
    }
  }
  Text GetEditText() override { return editText; }

  Text parts[2] = {"", "1"};
  Text editText = R"(D:\Tencent Messages)";
};

class RealPlatformTest : public ::testing::Test {
 protected:
  ~RealPlatformTest() override {
    table.ReleaseLibraries(loader);
    ReleaseSettingsFolderPath();
  }

  TemporaryFolder folder;
  Win32ModuleLoader loader;
  SystemFunctionTable table;
  SystemFunctions functions{table, loader};
  Win32ProfileWriter profile;
  WindowDouble window;
};

}  // namespace movaro::testing
