// The relocation core wired to the fake platform for one fuzz input, and the
// one way a fuzzer reports a mismatch: it aborts, so libFuzzer keeps the input.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>

#include "tests/native/fake_core.h"

namespace movaro::fuzzing {

// Made afresh for every input, so nothing outlives it.
using FakePlatform = testing::FakeCore;

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
