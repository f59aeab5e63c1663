#include "tests/wine/wine_support.h"

#include <fstream>
#include <sstream>
#include <stdexcept>

namespace movaro::testing {

namespace {

void RemoveTree(const std::string& path) {
  WIN32_FIND_DATAA found;
  HANDLE search = ::FindFirstFileA((path + "\\*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      const std::string name = found.cFileName;
      if (name == "." || name == "..") {
        continue;
      }
      const std::string child = path + "\\" + name;
      if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        RemoveTree(child);
      } else {
        ::SetFileAttributesA(child.c_str(), FILE_ATTRIBUTE_NORMAL);
        ::DeleteFileA(child.c_str());
      }
    } while (::FindNextFileA(search, &found));
    ::FindClose(search);
  }
  ::RemoveDirectoryA(path.c_str());
}

}  // namespace

TemporaryFolder::TemporaryFolder() {
  char temp[MAX_PATH];
  ::GetTempPathA(MAX_PATH, temp);
  static unsigned counter = 0;
  path_ = std::string(temp) + "movaro-test-" + std::to_string(::GetCurrentProcessId()) + "-" +
          std::to_string(++counter);
  RemoveTree(path_);
  if (!::CreateDirectoryA(path_.c_str(), nullptr)) {
    throw std::runtime_error("cannot create " + path_);
  }
}

TemporaryFolder::~TemporaryFolder() { RemoveTree(path_); }

std::string ProgramFolder() {
  char path[MAX_PATH];
  const DWORD length = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder(path, length);
  return folder.substr(0, folder.find_last_of('\\'));
}

bool IsDirectory(const std::string& path) {
  const DWORD attributes = ::GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool Exists(const std::string& path) {
  return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

void WriteFileBytes(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
  if (!out) {
    throw std::runtime_error("cannot write " + path);
  }
}

std::string ReadFileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

namespace {

bool CanOpenForWriting(const std::string& path) {
  const HANDLE file = ::CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    return false;
  }
  ::CloseHandle(file);
  return true;
}

void WaitUntilWritable(const std::string& path, bool writable) {
  for (int tries = 0; CanOpenForWriting(path) != writable; ++tries) {
    if (tries == 100) {
      throw std::runtime_error("cannot change whether " + path + " is writable");
    }
    ::Sleep(50);
  }
}

}  // namespace

ReadOnlyFile::ReadOnlyFile(std::string path) : path_(std::move(path)) {
  ::SetFileAttributesA(path_.c_str(), FILE_ATTRIBUTE_READONLY);
  StartHostCommand("/usr/bin/chattr +i \"" + HostPath(path_) + "\"");
  WaitUntilWritable(path_, false);
}

ReadOnlyFile::~ReadOnlyFile() {
  StartHostCommand("/usr/bin/chattr -i \"" + HostPath(path_) + "\"");
  ::SetFileAttributesA(path_.c_str(), FILE_ATTRIBUTE_NORMAL);
  try {
    WaitUntilWritable(path_, true);
  } catch (const std::exception&) {
    // The folder's removal will report the file that stayed.
  }
}

namespace {

PROCESS_INFORMATION StartProcess(const std::string& commandLine) {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  std::string command = commandLine;
  if (!::CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
    throw std::runtime_error("cannot start " + commandLine);
  }
  ::CloseHandle(process.hThread);
  return process;
}

}  // namespace

ProcessResult RunProcess(const std::string& commandLine, DWORD timeoutMs,
                         void (*whileRunning)(DWORD processId)) {
  const PROCESS_INFORMATION process = StartProcess(commandLine);
  DWORD waited = 0;
  DWORD state = WAIT_TIMEOUT;
  while (waited < timeoutMs &&
         (state = ::WaitForSingleObject(process.hProcess, 50)) == WAIT_TIMEOUT) {
    waited += 50;
    if (whileRunning != nullptr) {
      whileRunning(process.dwProcessId);
    }
  }
  ProcessResult result{state == WAIT_OBJECT_0, 0, process.dwProcessId};
  if (!result.finished) {
    ::TerminateProcess(process.hProcess, 1);
  }
  ::GetExitCodeProcess(process.hProcess, &result.exitCode);
  ::CloseHandle(process.hProcess);
  return result;
}

void StartHostCommand(const std::string& commandLine) {
  ::CloseHandle(StartProcess(commandLine).hProcess);
}

std::string HostPath(const std::string& windowsPath) {
  // Wine's own export; these tests only ever run under Wine.
  using ToUnix = char*(CDECL*)(LPCWSTR);
  const auto toUnix = reinterpret_cast<ToUnix>(reinterpret_cast<void*>(
      ::GetProcAddress(::GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
  if (toUnix == nullptr) {
    throw std::runtime_error("not running under Wine");
  }
  std::wstring wide(windowsPath.size() + 1, L'\0');
  const int units = ::MultiByteToWideChar(CP_ACP, 0, windowsPath.c_str(), -1, wide.data(),
                                          static_cast<int>(wide.size()));
  wide.resize(units > 0 ? static_cast<std::size_t>(units) : 0);
  char* unixPath = toUnix(wide.c_str());
  const std::string result = unixPath != nullptr ? unixPath : "";
  ::HeapFree(::GetProcessHeap(), 0, unixPath);
  return result;
}

}  // namespace movaro::testing
