// The relocation core wired to the fake platform, one log for every call.
// Made afresh for each case: FakeSystem is one at a time, and the settings
// folder path is global, so nothing may outlive the case.
#pragma once

#include "core/settings_folder.h"
#include "core/system_function_table.h"
#include "core/system_functions.h"
#include "tests/native/fake_platform.h"

namespace movaro::testing {

struct FakeCore {
  FakeCore() { ReleaseSettingsFolderPath(); }
  ~FakeCore() {
    table.ReleaseLibraries(loader);
    ReleaseSettingsFolderPath();
  }
  FakeCore(const FakeCore&) = delete;
  FakeCore& operator=(const FakeCore&) = delete;

  CallLog log;
  CallLog loaderLog;  // binding apart, so the log holds platform calls only
  FakeSystem system{log};
  FakeModuleLoader loader{loaderLog};
  SystemFunctionTable table;
  SystemFunctions functions{table, loader};
  FakeProfileFiles profiles{system.fileSystem, log};
  FakeWindow window{log};
};

}  // namespace movaro::testing
