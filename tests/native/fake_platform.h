// A platform of our own for the relocation core: an in-memory directory tree,
// settings files, a status line and an edit box, fake system modules for the
// binder, and one log of every call in the order it was made.
#pragma once

#include <cstdint>
#include <deque>
#include <map>
#include <optional>
#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "core/profile_writer.h"
#include "core/system_function_table.h"
#include "core/text.h"
#include "core/window_access.h"

namespace movaro::testing {

// GBK through a real converter (iconv). Bytes that are not valid GBK become
// '?', the platform's default substitution, instead of failing.
std::u16string GbkToUtf16(const Text& gbk);
Text Utf16ToGbk(const std::u16string& text);

struct Call {
  std::string function;
  std::vector<std::string> arguments;  // texts as GBK, wide ones converted
  bool operator==(const Call&) const = default;
};

void PrintTo(const Call& call, std::ostream* out);

class CallLog {
 public:
  void Add(std::string function, std::vector<std::string> arguments = {}) {
    calls_.push_back({std::move(function), std::move(arguments)});
  }
  const std::vector<Call>& Calls() const { return calls_; }
  std::vector<std::string> Functions() const;
  // The first argument of every call of one function, in order.
  std::vector<std::string> FirstArguments(const std::string& function) const;
  void Clear() { calls_.clear(); }

 private:
  std::vector<Call> calls_;
};

// Directories and files by normalised path: separators are backslashes,
// repeated and trailing ones count once, as Windows resolves them. Paths
// without a drive or a leading backslash are relative to a current directory
// that always exists.
class FakeFileSystem {
 public:
  void AddDirectory(const std::u16string& path);  // with every level above it
  void AddFile(const std::u16string& path);
  // CreateDirectoryW fails for this path, as without permission.
  void RefuseCreation(const std::u16string& path);

  [[nodiscard]] bool IsDirectory(const std::u16string& path) const;
  [[nodiscard]] bool IsFile(const std::u16string& path) const;
  // Creates one level; false when it exists, its parent is missing, a file is
  // in the way or creation is refused.
  [[nodiscard]] bool CreateDirectory(const std::u16string& path);
  const std::set<std::u16string>& Directories() const { return directories_; }

 private:
  std::set<std::u16string> directories_;
  std::set<std::u16string> files_;
  std::set<std::u16string> refused_;
};

// Settings files with the semantics the relocation write relies on: the file
// and the section are created when missing, a key is added or replaced,
// everything else stays; sections and keys match without regard to case.
class FakeProfileFiles final : public ProfileWriter {
 public:
  using Section = std::vector<std::pair<std::string, std::string>>;
  using File = std::vector<std::pair<std::string, Section>>;

  FakeProfileFiles(FakeFileSystem& fileSystem, CallLog& log) : fileSystem_(fileSystem), log_(log) {}

  int WritePrivateProfileStringA(const char* section, const char* key, const char* value,
                                 const char* file) override;

  // The next writes report these results instead of writing.
  void ScriptResults(std::initializer_list<int> results) {
    scriptedResults_.insert(scriptedResults_.end(), results);
  }
  void AddFile(const Text& path, File contents);
  void MakeReadOnly(const Text& path) { readOnly_.insert(path); }

  [[nodiscard]] const File* Find(const Text& path) const;
  [[nodiscard]] std::optional<std::string> Value(const Text& path, const std::string& section,
                                                 const std::string& key) const;

 private:
  FakeFileSystem& fileSystem_;
  CallLog& log_;
  std::map<Text, File> files_;
  std::set<Text> readOnly_;
  std::deque<int> scriptedResults_;
};

// The main window as the core sees it: a two-part status bar and the edit box.
class FakeWindow final : public StatusLine, public MessageDirectoryBox {
 public:
  explicit FakeWindow(CallLog& log) : log_(log) {}

  void SetStatusPartText(int partIndex, const Text& text) override;
  Text GetEditText() override;

  std::vector<Text> parts{"", "1"};
  Text editText = R"(D:\Tencent Messages)";

 private:
  CallLog& log_;
};

// The six declared system functions over a FakeFileSystem. The fake modules
// call into the one live instance.
class FakeSystem {
 public:
  explicit FakeSystem(CallLog& log);
  ~FakeSystem();
  FakeSystem(const FakeSystem&) = delete;
  FakeSystem& operator=(const FakeSystem&) = delete;

  static FakeSystem& Current();

  std::size_t Strlen(const char* text);
  int MultiByteToWideChar(std::uint32_t codePage, std::uint32_t flags, const char* text,
                          int textBytes, char16_t* buffer, int bufferUnits);
  int PathIsDirectoryW(const char16_t* path);
  void* LocalAlloc(std::uint32_t flags, std::size_t bytes);
  int CreateDirectoryW(const char16_t* path, void* securityAttributes);
  void* LocalFree(void* memory);

  FakeFileSystem fileSystem;
  // When set, PathIsDirectoryW answers this for every path.
  std::optional<int> pathIsDirectoryResult;
  bool failAllocations = false;
  // When set, MultiByteToWideChar reports that it cannot convert.
  bool refuseConversion = false;
  // Outcomes of CreateDirectoryW, in call order.
  std::vector<bool> creationResults;
  // The paths CreateDirectoryW was given, unit for unit: the log's GBK form
  // cannot show units that have no GBK character.
  std::vector<std::u16string> creationPaths;
  std::size_t LiveAllocations() const { return allocations_.size(); }

 private:
  CallLog& log_;
  std::map<void*, std::size_t> allocations_;
};

// Fake system modules exporting the fake functions, under the same names and
// case rules as the real loader's.
class FakeModuleLoader final : public ModuleLoader {
 public:
  explicit FakeModuleLoader(CallLog& log);

  LibraryHandle LoadSystemLibrary(const char* libraryName) override;
  void* FindFunction(LibraryHandle library, const char* functionName) override;
  void FreeLibrary(LibraryHandle library) override;

  void RemoveExport(const std::string& library, const std::string& function);
  void RemoveLibrary(const std::string& library);
  // Loads not yet freed, over all modules.
  int OpenReferences() const;

 private:
  struct Module {
    std::string name;
    std::map<std::string, void*> exports;
    int references = 0;
  };
  CallLog& log_;
  std::map<std::string, Module> modules_;  // by lower-case name
};

}  // namespace movaro::testing
