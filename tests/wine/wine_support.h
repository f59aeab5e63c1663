// Helpers for tests that run as Windows programs under Wine.
#pragma once

#include <windows.h>

#include <string>

namespace movaro::testing {

// A fresh folder under the temporary directory, removed with its contents.
class TemporaryFolder {
 public:
  TemporaryFolder();
  ~TemporaryFolder();
  TemporaryFolder(const TemporaryFolder&) = delete;
  TemporaryFolder& operator=(const TemporaryFolder&) = delete;

  const std::string& Path() const { return path_; }
  std::string operator/(const std::string& name) const { return path_ + "\\" + name; }

 private:
  std::string path_;
};

// The folder that holds the running test program.
std::string ProgramFolder();

bool IsDirectory(const std::string& path);
bool Exists(const std::string& path);
void WriteFileBytes(const std::string& path, const std::string& bytes);
std::string ReadFileBytes(const std::string& path);

// Makes a file refuse writes for the rest of its life. Wine lets root write a
// file that is marked read-only, so the test also makes it immutable on the
// host; Restore undoes both.
class ReadOnlyFile {
 public:
  explicit ReadOnlyFile(std::string path);
  ~ReadOnlyFile();
  ReadOnlyFile(const ReadOnlyFile&) = delete;
  ReadOnlyFile& operator=(const ReadOnlyFile&) = delete;

 private:
  std::string path_;
};

struct ProcessResult {
  bool finished;
  DWORD exitCode;
  DWORD processId;
};

// Starts a program and waits for it. `whileRunning` is called every 50 ms
// with the process id until the process ends or the timeout passes.
ProcessResult RunProcess(const std::string& commandLine, DWORD timeoutMs = 20000,
                         void (*whileRunning)(DWORD processId) = nullptr);

// Starts a program of the host system. Wine runs host programs but hands back
// no process to wait for, so callers watch for the command's effect.
void StartHostCommand(const std::string& commandLine);
// The host's name for a Windows path.
std::string HostPath(const std::string& windowsPath);

}  // namespace movaro::testing
