#include "core/system_function_table.h"

#include "core/fatal_error.h"

namespace movaro {

SystemFunctionTable::SystemFunctionTable()
    : entries_{{
          {"strlen", "msvcrt.dll", CallingConvention::C},
          {"MultiByteToWideChar", "Kernel32.dll", CallingConvention::Standard},
          {"PathIsDirectoryW", "shlwapi.dll", CallingConvention::Standard},
          {"LocalAlloc", "kernel32.dll", CallingConvention::Standard},
          {"CreateDirectoryW", "Kernel32.dll", CallingConvention::Standard},
          {"LocalFree", "kernel32.dll", CallingConvention::Standard},
      }} {}

void SystemFunctionTable::ReleaseLibraries(ModuleLoader& loader) {
  for (SystemFunctionEntry& entry : entries_) {
    if (entry.library != nullptr) {
      loader.FreeLibrary(entry.library);
    }
    entry.library = nullptr;
    entry.address = nullptr;
  }
}

void* BindSystemFunction(SystemFunctionEntry& entry, ModuleLoader& loader) {
  if (entry.address != nullptr) {
    return entry.address;
  }
  LibraryHandle library = loader.LoadSystemLibrary(entry.libraryName);
  void* address = library != nullptr ? loader.FindFunction(library, entry.functionName) : nullptr;
  if (address == nullptr) {
    if (library != nullptr) {
      loader.FreeLibrary(library);
    }
    throw FatalError(Text("无法载入系统函数 ") + entry.functionName + "（" + entry.libraryName +
                     "）。");
  }
  entry.library = library;
  entry.address = address;
  return address;
}

}  // namespace movaro
