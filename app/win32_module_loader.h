// The real loader of the declared system libraries.
#pragma once

#include "core/system_function_table.h"

namespace movaro {

class Win32ModuleLoader final : public ModuleLoader {
 public:
  LibraryHandle LoadSystemLibrary(const char* libraryName) override;
  void* FindFunction(LibraryHandle library, const char* functionName) override;
  void FreeLibrary(LibraryHandle library) override;
};

}  // namespace movaro
