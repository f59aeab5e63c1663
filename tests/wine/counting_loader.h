// The real loader, counting what the binder asks of it.
#pragma once

#include "app/win32_module_loader.h"

namespace movaro::testing {

class CountingLoader final : public ModuleLoader {
 public:
  LibraryHandle LoadSystemLibrary(const char* name) override {
    ++loads;
    return real_.LoadSystemLibrary(name);
  }
  void* FindFunction(LibraryHandle library, const char* name) override {
    return real_.FindFunction(library, name);
  }
  void FreeLibrary(LibraryHandle library) override {
    ++frees;
    real_.FreeLibrary(library);
  }

  int loads = 0;
  int frees = 0;

 private:
  Win32ModuleLoader real_;
};

}  // namespace movaro::testing
