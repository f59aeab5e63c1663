#include "tests/native/fake_platform.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <stdexcept>

#include "core/system_functions.h"

namespace movaro::testing {

namespace {

class Converter {
 public:
  Converter(const char* to, const char* from) : handle_(iconv_open(to, from)) {
    if (handle_ == reinterpret_cast<iconv_t>(-1)) {
      throw std::runtime_error(std::string("iconv cannot convert ") + from + " to " + to);
    }
  }
  ~Converter() { iconv_close(handle_); }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  // Converts all of the input; an unconvertible unit of `unitBytes` bytes
  // becomes `substitute`.
  std::string Convert(const std::string& input, const std::string& substitute,
                      std::size_t unitBytes = 1) {
    std::string output;
    char* in = const_cast<char*>(input.data());
    std::size_t inLeft = input.size();
    char buffer[256];
    while (inLeft > 0) {
      char* out = buffer;
      std::size_t outLeft = sizeof buffer;
      const std::size_t result = iconv(handle_, &in, &inLeft, &out, &outLeft);
      output.append(buffer, static_cast<std::size_t>(out - buffer));
      if (result == static_cast<std::size_t>(-1) && errno != E2BIG) {
        output += substitute;
        const std::size_t skipped = std::min(unitBytes, inLeft);
        in += skipped;
        inLeft -= skipped;
        iconv(handle_, nullptr, nullptr, nullptr, nullptr);
      }
    }
    return output;
  }

 private:
  iconv_t handle_;
};

std::string ToLower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

// Repeated and trailing separators count once, as Windows resolves paths.
std::u16string Normalise(const std::u16string& path) {
  std::u16string result;
  std::size_t start = 0;
  while (start < path.size() && path[start] == u'\\') {
    ++start;
  }
  result.assign(std::min<std::size_t>(start, 2), u'\\');
  bool pendingSeparator = false;
  for (std::size_t i = start; i < path.size(); ++i) {
    if (path[i] == u'\\') {
      pendingSeparator = true;
      continue;
    }
    if (pendingSeparator) {
      result += u'\\';
      pendingSeparator = false;
    }
    result += path[i];
  }
  return result;
}

// The parent of a normalised path; empty for a top-level name.
std::u16string Parent(const std::u16string& path) {
  const std::size_t last = path.find_last_of(u'\\');
  if (last == std::u16string::npos) {
    return {};
  }
  return path.substr(0, last);
}

bool IsRelativeTopLevel(const std::u16string& path) {
  return Parent(path).empty() && !path.empty() && path[0] != u'\\' &&
         path.find(u':') == std::u16string::npos;
}

// The log keeps every text as GBK, the encoding of the tests' own literals.
std::string Show(const char* text) { return text == nullptr ? "null" : std::string(text); }

std::string ShowWide(const char16_t* text) {
  return text == nullptr ? "null" : Utf16ToGbk(std::u16string(text));
}

std::string ShowPointer(const void* pointer) { return pointer == nullptr ? "null" : "buffer"; }

FakeSystem* liveSystem = nullptr;

namespace types = system_function_types;

std::size_t FakeStrlen(const char* text) { return FakeSystem::Current().Strlen(text); }
int MOVARO_STDCALL FakeMultiByteToWideChar(std::uint32_t codePage, std::uint32_t flags,
                                           const char* text, int textBytes, char16_t* buffer,
                                           int bufferUnits) {
  return FakeSystem::Current().MultiByteToWideChar(codePage, flags, text, textBytes, buffer,
                                                   bufferUnits);
}
int MOVARO_STDCALL FakePathIsDirectoryW(const char16_t* path) {
  return FakeSystem::Current().PathIsDirectoryW(path);
}
void* MOVARO_STDCALL FakeLocalAlloc(std::uint32_t flags, std::size_t bytes) {
  return FakeSystem::Current().LocalAlloc(flags, bytes);
}
int MOVARO_STDCALL FakeCreateDirectoryW(const char16_t* path, void* securityAttributes) {
  return FakeSystem::Current().CreateDirectoryW(path, securityAttributes);
}
void* MOVARO_STDCALL FakeLocalFree(void* memory) { return FakeSystem::Current().LocalFree(memory); }

// Exports are stored untyped, as a module's are; these pin each fake to the
// exact pointer type the core calls it through.
template <typename Pointer>
void* Export(Pointer function) {
  return reinterpret_cast<void*>(function);
}

}  // namespace

std::u16string GbkToUtf16(const Text& gbk) {
  Converter converter("UTF-16LE", "CP936");
  const std::string bytes = converter.Convert(gbk, std::string("?\0", 2));
  std::u16string result(bytes.size() / 2, u'\0');
  std::memcpy(result.data(), bytes.data(), result.size() * 2);
  return result;
}

Text Utf16ToGbk(const std::u16string& text) {
  Converter converter("CP936", "UTF-16LE");
  return converter.Convert(std::string(reinterpret_cast<const char*>(text.data()), text.size() * 2),
                           "?", 2);
}

void PrintTo(const Call& call, std::ostream* out) {
  *out << call.function << "(";
  const char* separator = "";
  for (const std::string& argument : call.arguments) {
    *out << separator << '"' << argument << '"';
    separator = ", ";
  }
  *out << ")";
}

std::vector<std::string> CallLog::Functions() const {
  std::vector<std::string> names;
  for (const Call& call : calls_) {
    names.push_back(call.function);
  }
  return names;
}

std::vector<std::string> CallLog::FirstArguments(const std::string& function) const {
  std::vector<std::string> arguments;
  for (const Call& call : calls_) {
    if (call.function == function) {
      arguments.push_back(call.arguments.empty() ? "" : call.arguments.front());
    }
  }
  return arguments;
}

void FakeFileSystem::AddDirectory(const std::u16string& path) {
  for (std::u16string level = Normalise(path); !level.empty() && level != u"\\\\";
       level = Parent(level)) {
    directories_.insert(level);
  }
}

void FakeFileSystem::AddFile(const std::u16string& path) {
  AddDirectory(Parent(Normalise(path)));
  files_.insert(Normalise(path));
}

void FakeFileSystem::RefuseCreation(const std::u16string& path) {
  refused_.insert(Normalise(path));
}

bool FakeFileSystem::IsDirectory(const std::u16string& path) const {
  return directories_.count(Normalise(path)) > 0;
}

bool FakeFileSystem::IsFile(const std::u16string& path) const {
  return files_.count(Normalise(path)) > 0;
}

bool FakeFileSystem::CreateDirectory(const std::u16string& path) {
  const std::u16string level = Normalise(path);
  if (level.empty() || IsDirectory(level) || IsFile(level) || refused_.count(level) > 0) {
    return false;
  }
  if (!IsRelativeTopLevel(level) && !IsDirectory(Parent(level))) {
    return false;
  }
  directories_.insert(level);
  return true;
}

int FakeProfileFiles::WritePrivateProfileStringA(const char* section, const char* key,
                                                 const char* value, const char* file) {
  log_.Add("WritePrivateProfileStringA", {Show(section), Show(key), Show(value), Show(file)});
  if (!scriptedResults_.empty()) {
    const int result = scriptedResults_.front();
    scriptedResults_.pop_front();
    return result;
  }
  if (section == nullptr || key == nullptr || value == nullptr || file == nullptr) {
    throw std::logic_error("the relocation write never deletes keys or sections");
  }
  const std::u16string widePath = GbkToUtf16(file);
  if (readOnly_.count(file) > 0 || !fileSystem_.IsDirectory(Parent(Normalise(widePath)))) {
    return 0;
  }
  fileSystem_.AddFile(widePath);
  File& contents = files_[file];
  auto sectionIt = std::find_if(contents.begin(), contents.end(), [&](const auto& entry) {
    return ToLower(entry.first) == ToLower(section);
  });
  if (sectionIt == contents.end()) {
    contents.push_back({section, {}});
    sectionIt = std::prev(contents.end());
  }
  Section& keys = sectionIt->second;
  auto keyIt = std::find_if(keys.begin(), keys.end(), [&](const auto& entry) {
    return ToLower(entry.first) == ToLower(key);
  });
  if (keyIt == keys.end()) {
    keys.push_back({key, value});
  } else {
    keyIt->second = value;
  }
  return 1;
}

void FakeProfileFiles::AddFile(const Text& path, File contents) {
  fileSystem_.AddFile(GbkToUtf16(path));
  files_[path] = std::move(contents);
}

const FakeProfileFiles::File* FakeProfileFiles::Find(const Text& path) const {
  const auto it = files_.find(path);
  return it == files_.end() ? nullptr : &it->second;
}

std::optional<std::string> FakeProfileFiles::Value(const Text& path, const std::string& section,
                                                   const std::string& key) const {
  const File* file = Find(path);
  if (file == nullptr) {
    return std::nullopt;
  }
  for (const auto& [sectionName, keys] : *file) {
    if (ToLower(sectionName) != ToLower(section)) {
      continue;
    }
    for (const auto& [keyName, value] : keys) {
      if (ToLower(keyName) == ToLower(key)) {
        return value;
      }
    }
  }
  return std::nullopt;
}

void FakeWindow::SetStatusPartText(int partIndex, const Text& text) {
  log_.Add("SetStatusPartText", {std::to_string(partIndex), Show(text.c_str())});
  if (partIndex >= 0 && static_cast<std::size_t>(partIndex) < parts.size()) {
    parts[static_cast<std::size_t>(partIndex)] = text;
  }
}

Text FakeWindow::GetEditText() {
  log_.Add("GetEditText");
  return editText;
}

FakeSystem::FakeSystem(CallLog& log) : log_(log) {
  if (liveSystem != nullptr) {
    throw std::logic_error("one FakeSystem at a time");
  }
  liveSystem = this;
}

FakeSystem::~FakeSystem() {
  for (const auto& allocation : allocations_) {
    std::free(allocation.first);
  }
  liveSystem = nullptr;
}

FakeSystem& FakeSystem::Current() {
  if (liveSystem == nullptr) {
    throw std::logic_error("a fake system function was called without a FakeSystem");
  }
  return *liveSystem;
}

std::size_t FakeSystem::Strlen(const char* text) {
  log_.Add("strlen", {Show(text)});
  return std::strlen(text);
}

int FakeSystem::MultiByteToWideChar(std::uint32_t codePage, std::uint32_t flags, const char* text,
                                    int textBytes, char16_t* buffer, int bufferUnits) {
  log_.Add("MultiByteToWideChar",
           {std::to_string(codePage), std::to_string(flags), Show(text), std::to_string(textBytes),
            ShowPointer(buffer), std::to_string(bufferUnits)});
  if (codePage != 936 || textBytes != -1) {
    throw std::logic_error("the fake converts NUL-terminated GBK only");
  }
  if (refuseConversion) {
    return 0;
  }
  const std::u16string wide = GbkToUtf16(text) + u'\0';
  const int units = static_cast<int>(wide.size());
  if (bufferUnits == 0) {
    return units;
  }
  if (bufferUnits < units) {
    return 0;
  }
  std::copy(wide.begin(), wide.end(), buffer);
  return units;
}

int FakeSystem::PathIsDirectoryW(const char16_t* path) {
  log_.Add("PathIsDirectoryW", {ShowWide(path)});
  if (pathIsDirectoryResult) {
    return *pathIsDirectoryResult;
  }
  return fileSystem.IsDirectory(path) ? kFileAttributeDirectory : 0;
}

void* FakeSystem::LocalAlloc(std::uint32_t flags, std::size_t bytes) {
  log_.Add("LocalAlloc", {std::to_string(flags), std::to_string(bytes)});
  if (failAllocations) {
    return nullptr;
  }
  void* memory = (flags & kLocalAllocZeroInit) != 0 ? std::calloc(1, bytes) : std::malloc(bytes);
  allocations_[memory] = bytes;
  return memory;
}

int FakeSystem::CreateDirectoryW(const char16_t* path, void* securityAttributes) {
  log_.Add("CreateDirectoryW", {ShowWide(path), ShowPointer(securityAttributes)});
  creationPaths.emplace_back(path);
  const bool created = fileSystem.CreateDirectory(path);
  creationResults.push_back(created);
  return created ? 1 : 0;
}

void* FakeSystem::LocalFree(void* memory) {
  log_.Add("LocalFree", {ShowPointer(memory)});
  const auto it = allocations_.find(memory);
  if (it == allocations_.end()) {
    return memory;  // as the platform answers a handle it does not know
  }
  std::free(memory);
  allocations_.erase(it);
  return nullptr;
}

FakeModuleLoader::FakeModuleLoader(CallLog& log) : log_(log) {
  const types::Strlen strlenFunction = &FakeStrlen;
  const types::MultiByteToWideChar convert = &FakeMultiByteToWideChar;
  const types::PathIsDirectoryW isDirectory = &FakePathIsDirectoryW;
  const types::LocalAlloc allocate = &FakeLocalAlloc;
  const types::CreateDirectoryW createDirectory = &FakeCreateDirectoryW;
  const types::LocalFree release = &FakeLocalFree;
  modules_["msvcrt.dll"] = {"msvcrt.dll", {{"strlen", Export(strlenFunction)}}};
  modules_["kernel32.dll"] = {"kernel32.dll",
                              {{"MultiByteToWideChar", Export(convert)},
                               {"LocalAlloc", Export(allocate)},
                               {"CreateDirectoryW", Export(createDirectory)},
                               {"LocalFree", Export(release)}}};
  modules_["shlwapi.dll"] = {"shlwapi.dll", {{"PathIsDirectoryW", Export(isDirectory)}}};
}

LibraryHandle FakeModuleLoader::LoadSystemLibrary(const char* libraryName) {
  log_.Add("LoadSystemLibrary", {Show(libraryName)});
  const auto it = modules_.find(ToLower(libraryName));
  if (it == modules_.end()) {
    return nullptr;
  }
  ++it->second.references;
  return &it->second;
}

void* FakeModuleLoader::FindFunction(LibraryHandle library, const char* functionName) {
  auto* module = static_cast<Module*>(library);
  log_.Add("FindFunction", {module->name, Show(functionName)});
  const auto it = module->exports.find(functionName);
  return it == module->exports.end() ? nullptr : it->second;
}

void FakeModuleLoader::FreeLibrary(LibraryHandle library) {
  auto* module = static_cast<Module*>(library);
  log_.Add("FreeLibrary", {module->name});
  if (module->references <= 0) {
    throw std::logic_error("FreeLibrary of a library that is not loaded: " + module->name);
  }
  --module->references;
}

void FakeModuleLoader::RemoveExport(const std::string& library, const std::string& function) {
  modules_.at(ToLower(library)).exports.erase(function);
}

void FakeModuleLoader::RemoveLibrary(const std::string& library) {
  modules_.erase(ToLower(library));
}

int FakeModuleLoader::OpenReferences() const {
  int references = 0;
  for (const auto& entry : modules_) {
    references += entry.second.references;
  }
  return references;
}

}  // namespace movaro::testing
