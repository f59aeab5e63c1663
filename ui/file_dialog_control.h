// The invisible dialog control of the main window: it keeps the file
// dialog's settings for the window's life and runs the system's dialog.
#pragma once

#include <windows.h>

#include <commdlg.h>

#include <array>

#include "ui/file_dialog_rules.h"

namespace movaro {

// The request handed to the system, with the buffers it points into.
class FileDialogRequest {
 public:
  static constexpr std::size_t kNameBufferSize = 260;
  static constexpr std::size_t kTitleBufferSize = 64;
  // Without pvReserved, dwReserved and FlagsEx: the size every version of the
  // dialog accepts.
  static constexpr DWORD kRequestSize = 76;

  FileDialogRequest(const FileDialogSettings& settings, HWND owner, HINSTANCE instance);
  FileDialogRequest(const FileDialogRequest&) = delete;
  FileDialogRequest& operator=(const FileDialogRequest&) = delete;

  OPENFILENAMEA& Get() { return request_; }
  // What the dialog left in the name buffer, up to its NUL.
  Text FileName() const;

 private:
  OPENFILENAMEA request_{};
  std::array<char, kNameBufferSize> name_{};
  std::array<char, kTitleBufferSize> fileTitle_{};
};

class FileDialogControl {
 public:
  FileDialogSettings& Settings() { return settings_; }
  const FileDialogSettings& Settings() const { return settings_; }

  // Runs the dialog modally: the owner takes no input meanwhile and gets the
  // focus back afterwards. True when the user confirmed a name; the file name
  // setting then holds the full path. Otherwise nothing changes.
  [[nodiscard]] bool ShowFileDialog(HWND owner, HINSTANCE instance);

 private:
  FileDialogSettings settings_;
};

// Centres the dialog over its owner when it has set itself up, and accepts
// every name the user confirms: all checks are the system's.
UINT_PTR CALLBACK FileDialogHook(HWND hook, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace movaro
