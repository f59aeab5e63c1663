// Movaro's own start-up code with one binding that cannot succeed: the
// loader finds no PathIsDirectoryW, so the start-up check meets a fatal error.
#include <windows.h>

#include <string>

#include "app/program.h"
#include "app/win32_module_loader.h"
#include "app/win32_profile_writer.h"

namespace {

class LoaderWithoutDirectoryTest final : public movaro::ModuleLoader {
 public:
  movaro::LibraryHandle LoadSystemLibrary(const char* name) override {
    return real_.LoadSystemLibrary(name);
  }
  void* FindFunction(movaro::LibraryHandle library, const char* name) override {
    return std::string(name) == "PathIsDirectoryW" ? nullptr : real_.FindFunction(library, name);
  }
  void FreeLibrary(movaro::LibraryHandle library) override { real_.FreeLibrary(library); }

 private:
  movaro::Win32ModuleLoader real_;
};

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  LoaderWithoutDirectoryTest loader;
  movaro::Win32ProfileWriter profile;
  movaro::Program program(instance, loader, profile);
  const int exitCode = program.StartProgram();
  program.EndProgram();
  ::ExitProcess(static_cast<UINT>(exitCode));
}
