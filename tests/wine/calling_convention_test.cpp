// Every declared function pointer type carries the convention of the function
// it is bound to. A mismatch moves the stack pointer by the size of the
// arguments on every call; this file is built with immediate stack pops so
// that the move is visible right after the call.
#include <gtest/gtest.h>

#include <cstdint>

#include "app/win32_module_loader.h"
#include "core/system_functions.h"

namespace movaro::testing {
namespace {

namespace types = system_function_types;

std::uintptr_t lastResult = 0;

template <typename Pointer, typename... Arguments>
__attribute__((noinline)) std::intptr_t StackDrift(Pointer function, Arguments... arguments) {
  std::uintptr_t before = 0;
  std::uintptr_t after = 0;
  asm volatile("movl %%esp, %0" : "=r"(before));
  lastResult = (std::uintptr_t)function(arguments...);
  asm volatile("movl %%esp, %0" : "=r"(after));
  return static_cast<std::intptr_t>(after - before);
}

class CallingConventionTest : public ::testing::Test {
 protected:
  ~CallingConventionTest() override { table.ReleaseLibraries(loader); }

  template <typename Pointer>
  Pointer Bound(SystemFunction function) {
    return reinterpret_cast<Pointer>(BindSystemFunction(table[function], loader));
  }

  Win32ModuleLoader loader;
  SystemFunctionTable table;
};

TEST_F(CallingConventionTest, EveryDeclaredPointerTypeLeavesTheStackBalanced) {
  char16_t buffer[8] = {};
  EXPECT_EQ(StackDrift(Bound<types::Strlen>(SystemFunction::Strlen), "abc"), 0);
  EXPECT_EQ(StackDrift(Bound<types::MultiByteToWideChar>(SystemFunction::MultiByteToWideChar), 936u,
                       0u, "abc", -1, buffer, 8),
            0);
  EXPECT_EQ(
      StackDrift(Bound<types::PathIsDirectoryW>(SystemFunction::PathIsDirectoryW), u"C:\\windows"),
      0);
  EXPECT_EQ(StackDrift(Bound<types::LocalAlloc>(SystemFunction::LocalAlloc), kLocalAllocZeroInit,
                       std::size_t{16}),
            0);
  void* memory = reinterpret_cast<void*>(lastResult);
  ASSERT_NE(memory, nullptr);
  EXPECT_EQ(StackDrift(Bound<types::CreateDirectoryW>(SystemFunction::CreateDirectoryW),
                       u"C:\\windows", nullptr),
            0);
  EXPECT_EQ(StackDrift(Bound<types::LocalFree>(SystemFunction::LocalFree), memory), 0);
  EXPECT_EQ(lastResult, 0u) << "the memory was released";
}

}  // namespace
}  // namespace movaro::testing
