// The shared settings folder of both chat clients, made sure of at start.
#pragma once

#include <cstddef>
#include <optional>
#include <vector>

#include "core/system_functions.h"
#include "core/text.h"
#include "core/window_access.h"

namespace movaro {

// The folder of the shared settings file, for the whole run. Holds no text
// until RunStartupCheck sets it.
extern Text SettingsFolderPath;

inline constexpr char kSharedSettingsFolder[] = R"(C:\Users\Public\Documents\Tencent\QQ)";

// The UTF-16 form of a text, its terminating NUL unit included.
class WidePath {
 public:
  explicit WidePath(std::vector<char16_t> units) : units_(std::move(units)) {}

  const char16_t* data() const { return units_.data(); }
  std::size_t UnitCount() const { return units_.size(); }
  // L: twice the number of units, the terminator counted.
  std::size_t ByteLength() const { return 2 * units_.size(); }
  char16_t operator[](std::size_t index) const { return units_[index]; }

 private:
  std::vector<char16_t> units_;
};

// Converts a GBK text with the platform's converter. No wide path for an
// empty text or one the converter refuses; the path is not otherwise touched.
[[nodiscard]] std::optional<WidePath> ToWidePath(SystemFunctions& system, const Text& text);

// True only when the platform answers exactly FILE_ATTRIBUTE_DIRECTORY.
[[nodiscard]] bool WidePathIsDirectory(SystemFunctions& system,
                                       const std::optional<WidePath>& path);

// Asks the platform to create every level of the path, outermost first, then
// the whole path. Outcomes are ignored: levels that exist or cannot be made
// are passed over, and the caller tests the result itself.
void CreateDirectoryChain(SystemFunctions& system, const std::optional<WidePath>& path);

[[nodiscard]] bool FolderExists(SystemFunctions& system, const Text& path);

// Creates the missing levels of the path; true when it is a directory after.
[[nodiscard]] bool CreateFolder(SystemFunctions& system, const Text& path);

// The handler of the main window's created event: sets SettingsFolderPath,
// makes sure the folder exists and says so on the status line.
void RunStartupCheck(SystemFunctions& system, StatusLine& statusLine);

// Releases SettingsFolderPath at the program's end.
void ReleaseSettingsFolderPath();

}  // namespace movaro
