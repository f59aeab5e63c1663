#include "core/system_functions.h"

namespace movaro {

namespace types = system_function_types;

std::size_t SystemFunctions::Strlen(const char* text) {
  return Bound<types::Strlen>(SystemFunction::Strlen)(text);
}

int SystemFunctions::MultiByteToWideChar(std::uint32_t codePage, std::uint32_t flags,
                                         const char* text, int textBytes, char16_t* buffer,
                                         int bufferUnits) {
  return Bound<types::MultiByteToWideChar>(SystemFunction::MultiByteToWideChar)(
      codePage, flags, text, textBytes, buffer, bufferUnits);
}

int SystemFunctions::PathIsDirectoryW(const char16_t* path) {
  return Bound<types::PathIsDirectoryW>(SystemFunction::PathIsDirectoryW)(path);
}

void* SystemFunctions::LocalAlloc(std::uint32_t flags, std::size_t bytes) {
  return Bound<types::LocalAlloc>(SystemFunction::LocalAlloc)(flags, bytes);
}

int SystemFunctions::CreateDirectoryW(const char16_t* path, void* securityAttributes) {
  return Bound<types::CreateDirectoryW>(SystemFunction::CreateDirectoryW)(path, securityAttributes);
}

void* SystemFunctions::LocalFree(void* memory) {
  return Bound<types::LocalFree>(SystemFunction::LocalFree)(memory);
}

}  // namespace movaro
