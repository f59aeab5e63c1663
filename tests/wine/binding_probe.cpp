// Runs one binding in a process of its own, beside a planted library:
//   binding_probe bind             PathIsDirectoryW through the declared table
//   binding_probe standard-search  the same name through the standard search
//   binding_probe missing-function a declared function its library lacks
// The exit code is the function's answer for C:\windows, or the fatal code.
#include <windows.h>

#include <cstring>

#include "app/fatal_error_box.h"
#include "app/win32_module_loader.h"
#include "core/fatal_error.h"
#include "core/system_functions.h"

int main(int argc, char** argv) {
  using namespace movaro;
  const char* mode = argc > 1 ? argv[1] : "";
  Win32ModuleLoader loader;
  SystemFunctionTable table;
  try {
    if (std::strcmp(mode, "bind") == 0) {
      SystemFunctions functions(table, loader);
      return functions.PathIsDirectoryW(u"C:\\windows");
    }
    if (std::strcmp(mode, "standard-search") == 0) {
      const HMODULE library = ::LoadLibraryA("shlwapi.dll");
      const auto isDirectory = reinterpret_cast<system_function_types::PathIsDirectoryW>(
          reinterpret_cast<void*>(::GetProcAddress(library, "PathIsDirectoryW")));
      return isDirectory(u"C:\\windows");
    }
    if (std::strcmp(mode, "missing-function") == 0) {
      SystemFunctionEntry entry{"NoSuchFunction", "Kernel32.dll", CallingConvention::Standard};
      (void)BindSystemFunction(entry, loader);
    }
  } catch (const FatalError& error) {
    ShowFatalErrorBox(error.what());
    table.ReleaseLibraries(loader);
    ::ExitProcess(kFatalExitCode);
  }
  return 1;
}
