#include "core/settings_folder.h"

namespace movaro {

Text SettingsFolderPath;

namespace {

// Flags 0: bytes that are not valid GBK get the platform's default
// substitution instead of failing the conversion.
constexpr std::uint32_t kDefaultConversion = 0;
constexpr int kNulTerminated = -1;
constexpr char16_t kBackslash = u'\\';

// Fills the zeroed chain buffer unit by unit, so that at every separator it
// holds, NUL-terminated, the path read so far. The part before the first
// backslash (a drive, or the empty start of a network path's "\\") is never
// passed on its own; the whole path is always passed last.
void CreateLevels(SystemFunctions& system, const WidePath& path, char16_t* chain) {
  int separatorsSeen = 0;
  for (std::size_t k = 0; k < path.UnitCount(); ++k) {
    const char16_t unit = path[k];
    if (unit == u'\0') {
      system.CreateDirectoryW(chain, nullptr);
      return;
    }
    if (unit == kBackslash) {
      if (separatorsSeen > 0) {
        system.CreateDirectoryW(chain, nullptr);
      }
      ++separatorsSeen;
    }
    chain[k] = unit;
  }
}

}  // namespace

std::optional<WidePath> ToWidePath(SystemFunctions& system, const Text& text) {
  if (system.Strlen(text.c_str()) == 0) {
    return std::nullopt;
  }
  const int units = system.MultiByteToWideChar(kGbkCodePage, kDefaultConversion, text.c_str(),
                                               kNulTerminated, nullptr, 0);
  if (units <= 0) {
    return std::nullopt;
  }
  std::vector<char16_t> buffer(static_cast<std::size_t>(units), u'\0');
  system.MultiByteToWideChar(kGbkCodePage, kDefaultConversion, text.c_str(), kNulTerminated,
                             buffer.data(), units);
  return WidePath(std::move(buffer));
}

bool WidePathIsDirectory(SystemFunctions& system, const std::optional<WidePath>& path) {
  return path && system.PathIsDirectoryW(path->data()) == kFileAttributeDirectory;
}

void CreateDirectoryChain(SystemFunctions& system, const std::optional<WidePath>& path) {
  // Fewer than four units is at most a drive such as "C:": nothing to create.
  if (!path || path->ByteLength() < 8) {
    return;
  }
  // One unit more than the path, all zero, so the chain is always terminated.
  void* chain = system.LocalAlloc(kLocalAllocZeroInit, path->ByteLength() + 2);
  if (chain == nullptr) {
    return;  // without a buffer no level can be named; the caller's test decides
  }
  try {
    CreateLevels(system, *path, static_cast<char16_t*>(chain));
  } catch (...) {
    system.LocalFree(chain);
    throw;
  }
  system.LocalFree(chain);
}

bool FolderExists(SystemFunctions& system, const Text& path) {
  return WidePathIsDirectory(system, ToWidePath(system, path));
}

bool CreateFolder(SystemFunctions& system, const Text& path) {
  const std::optional<WidePath> widePath = ToWidePath(system, path);
  CreateDirectoryChain(system, widePath);
  return WidePathIsDirectory(system, widePath);
}

void RunStartupCheck(SystemFunctions& system, StatusLine& statusLine) {
  SettingsFolderPath = kSharedSettingsFolder;
  if (FolderExists(system, SettingsFolderPath) || CreateFolder(system, SettingsFolderPath)) {
    statusLine.SetStatusPartText(kStatusLinePart, "初始化成功");
  }
}

void ReleaseSettingsFolderPath() { Text().swap(SettingsFolderPath); }

}  // namespace movaro
