// Typed calls of the declared system functions, each bound at its first use.
#pragma once

#include <cstddef>
#include <cstdint>

#include "core/calling_convention.h"
#include "core/system_function_table.h"

namespace movaro {

// The exact signatures of the declared functions. The pointer types carry the
// calling convention that the table declares for each entry.
namespace system_function_types {
using Strlen = std::size_t(MOVARO_CDECL*)(const char* text);
using MultiByteToWideChar = int(MOVARO_STDCALL*)(std::uint32_t codePage, std::uint32_t flags,
                                                 const char* text, int textBytes, char16_t* buffer,
                                                 int bufferUnits);
using PathIsDirectoryW = int(MOVARO_STDCALL*)(const char16_t* path);
using LocalAlloc = void*(MOVARO_STDCALL*)(std::uint32_t flags, std::size_t bytes);
using CreateDirectoryW = int(MOVARO_STDCALL*)(const char16_t* path, void* securityAttributes);
using LocalFree = void*(MOVARO_STDCALL*)(void* memory);
}  // namespace system_function_types

inline constexpr std::uint32_t kLocalAllocZeroInit = 0x0040;  // LMEM_ZEROINIT
inline constexpr int kFileAttributeDirectory = 16;            // FILE_ATTRIBUTE_DIRECTORY

// The relocation core reaches the file system only through this class.
class SystemFunctions {
 public:
  SystemFunctions(SystemFunctionTable& table, ModuleLoader& loader)
      : table_(table), loader_(loader) {}

  std::size_t Strlen(const char* text);
  int MultiByteToWideChar(std::uint32_t codePage, std::uint32_t flags, const char* text,
                          int textBytes, char16_t* buffer, int bufferUnits);
  int PathIsDirectoryW(const char16_t* path);
  void* LocalAlloc(std::uint32_t flags, std::size_t bytes);
  int CreateDirectoryW(const char16_t* path, void* securityAttributes);
  void* LocalFree(void* memory);

 private:
  template <typename Pointer>
  Pointer Bound(SystemFunction function) {
    return reinterpret_cast<Pointer>(BindSystemFunction(table_[function], loader_));
  }

  SystemFunctionTable& table_;
  ModuleLoader& loader_;
};

}  // namespace movaro
