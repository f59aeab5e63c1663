// The relocation core wired to the fake platform, one log for every call.
#pragma once

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "core/fatal_error.h"
#include "tests/native/fake_core.h"

namespace movaro::testing {

inline constexpr char16_t kSharedFolder[] = uR"(C:\Users\Public\Documents\Tencent\QQ)";
inline constexpr char kSettingsFile[] = R"(C:\Users\Public\Documents\Tencent\QQ\UserDataInfo.ini)";

class CoreTest : public ::testing::Test, protected FakeCore {};

}  // namespace movaro::testing
