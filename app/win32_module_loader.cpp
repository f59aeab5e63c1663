#include "app/win32_module_loader.h"

#include <windows.h>

namespace movaro {

LibraryHandle Win32ModuleLoader::LoadSystemLibrary(const char* libraryName) {
  // The declared libraries always live in the system directory. Searching the
  // program's folder first would run any file of the same name placed beside
  // the program (a download folder, a shared folder) inside it.
  return ::LoadLibraryExA(libraryName, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
}

void* Win32ModuleLoader::FindFunction(LibraryHandle library, const char* functionName) {
  return reinterpret_cast<void*>(::GetProcAddress(static_cast<HMODULE>(library), functionName));
}

void Win32ModuleLoader::FreeLibrary(LibraryHandle library) {
  ::FreeLibrary(static_cast<HMODULE>(library));
}

}  // namespace movaro
