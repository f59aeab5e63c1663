// The system functions that the relocation core declares, bound at first call.
#pragma once

#include <array>
#include <cstddef>

namespace movaro {

enum class CallingConvention {
  C,         // the caller removes the arguments
  Standard,  // the function removes its own arguments
};

using LibraryHandle = void*;

// Loads declared libraries and looks their functions up. The Windows build
// uses the real loader; native tests use fake modules that export fakes.
class ModuleLoader {
 public:
  virtual ~ModuleLoader() = default;
  // Loads the library from the system directory only, never from the
  // program's folder, so a file planted beside the program cannot run inside
  // it. Null when the library cannot be loaded.
  virtual LibraryHandle LoadSystemLibrary(const char* libraryName) = 0;
  // Null when the library does not export the function.
  virtual void* FindFunction(LibraryHandle library, const char* functionName) = 0;
  virtual void FreeLibrary(LibraryHandle library) = 0;
};

struct SystemFunctionEntry {
  const char* functionName;
  const char* libraryName;  // as declared; the case of its letters is kept
  CallingConvention convention;
  void* address = nullptr;          // set once bound
  LibraryHandle library = nullptr;  // this entry's own load of its library
};

enum class SystemFunction : std::size_t {
  Strlen,
  MultiByteToWideChar,
  PathIsDirectoryW,
  LocalAlloc,
  CreateDirectoryW,
  LocalFree,
};

class SystemFunctionTable {
 public:
  static constexpr std::size_t kSize = 6;

  // Fills in the names; nothing is loaded until a function is first called.
  SystemFunctionTable();
  SystemFunctionTable(const SystemFunctionTable&) = delete;
  SystemFunctionTable& operator=(const SystemFunctionTable&) = delete;

  SystemFunctionEntry& operator[](SystemFunction function) {
    return entries_[static_cast<std::size_t>(function)];
  }
  const SystemFunctionEntry& operator[](SystemFunction function) const {
    return entries_[static_cast<std::size_t>(function)];
  }
  auto begin() { return entries_.begin(); }
  auto end() { return entries_.end(); }
  auto begin() const { return entries_.begin(); }
  auto end() const { return entries_.end(); }

  // Frees the library of every bound entry, each once, and forgets the
  // bindings.
  void ReleaseLibraries(ModuleLoader& loader);

 private:
  std::array<SystemFunctionEntry, kSize> entries_;
};

// Returns the entry's function, binding it on the first call: loads the
// entry's library, looks the function up and keeps both until the table
// releases them. Throws FatalError, naming the library as declared and the
// function, when either step fails.
[[nodiscard]] void* BindSystemFunction(SystemFunctionEntry& entry, ModuleLoader& loader);

}  // namespace movaro
