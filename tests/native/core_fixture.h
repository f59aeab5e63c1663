// The relocation core wired to the fake platform, one log for every call.
#pragma once

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "core/fatal_error.h"
#include "core/settings_folder.h"
#include "core/system_function_table.h"
#include "core/system_functions.h"
#include "tests/native/fake_platform.h"

namespace movaro::testing {

inline constexpr char16_t kSharedFolder[] = uR"(C:\Users\Public\Documents\Tencent\QQ)";
inline constexpr char kSettingsFile[] = R"(C:\Users\Public\Documents\Tencent\QQ\UserDataInfo.ini)";

class CoreTest : public ::testing::Test {
 protected:
  ~CoreTest() override {
    table.ReleaseLibraries(loader);
    ReleaseSettingsFolderPath();
  }

  CallLog log;
  CallLog loaderLog;  // binding apart, so other tests see only platform calls
  FakeSystem system{log};
  FakeModuleLoader loader{loaderLog};
  SystemFunctionTable table;
  SystemFunctions functions{table, loader};
  FakeProfileFiles profiles{system.fileSystem, log};
  FakeWindow window{log};
};

}  // namespace movaro::testing
