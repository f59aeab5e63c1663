// The relocation core wired to the fake platform for one fuzz input, and the
// one way a fuzzer reports a mismatch: it aborts, so libFuzzer keeps the input.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>

#include "core/settings_folder.h"
#include "core/system_function_table.h"
#include "core/system_functions.h"
#include "tests/native/fake_platform.h"

namespace movaro::fuzzing {

using testing::CallLog;
using testing::FakeModuleLoader;
using testing::FakeProfileFiles;
using testing::FakeSystem;

// Made afresh for every input: FakeSystem is one at a time, and the settings
// folder path is global, so nothing may outlive the input.
struct FakePlatform {
  FakePlatform() { ReleaseSettingsFolderPath(); }
  ~FakePlatform() {
    table.ReleaseLibraries(loader);
    ReleaseSettingsFolderPath();
  }
  FakePlatform(const FakePlatform&) = delete;
  FakePlatform& operator=(const FakePlatform&) = delete;

  CallLog log;
  CallLog loaderLog;  // binding apart, so the log holds platform calls only
  FakeSystem system{log};
  FakeModuleLoader loader{loaderLog};
  SystemFunctionTable table;
  SystemFunctions functions{table, loader};
  FakeProfileFiles profiles{system.fileSystem, log};
};

[[noreturn]] inline void Fail(const char* condition, const char* file, int line,
                              const std::string& detail) {
  std::fprintf(stderr, "%s:%d: mismatch: %s\n%s\n", file, line, condition, detail.c_str());
  std::abort();
}

}  // namespace movaro::fuzzing

// Checks a condition on every input, whatever the build type.
#define FUZZ_REQUIRE(condition, detail)                                  \
  do {                                                                   \
    if (!(condition)) {                                                  \
      ::movaro::fuzzing::Fail(#condition, __FILE__, __LINE__, (detail)); \
    }                                                                    \
  } while (false)
