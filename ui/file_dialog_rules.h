// Pure rules of the file dialog control: its flag word and where the dialog
// goes over its owner.
#pragma once

#include <cstdint>

#include "core/text.h"

namespace movaro {

enum class FileDialogKind { OpenFile, SaveFile };

// The settings of the dialog control, at their initial values.
struct FileDialogSettings {
  FileDialogKind kind = FileDialogKind::OpenFile;
  Text fileName;
  Text initialFolder;
  Text title;
  Text filter;
  Text defaultExtension;
  bool fileMustExist = true;
  bool askBeforeOverwriting = true;
  bool pathMustExist = true;
  bool askBeforeCreating = false;
  bool keepCurrentDirectory = false;
};

// OFN_ flag values, spelled out so the rules build without Windows headers.
namespace file_dialog_flag {
inline constexpr std::uint32_t kOverwritePrompt = 0x2;
inline constexpr std::uint32_t kHideReadOnly = 0x4;
inline constexpr std::uint32_t kNoChangeDir = 0x8;
inline constexpr std::uint32_t kEnableHook = 0x20;
inline constexpr std::uint32_t kPathMustExist = 0x800;
inline constexpr std::uint32_t kFileMustExist = 0x1000;
inline constexpr std::uint32_t kCreatePrompt = 0x2000;
inline constexpr std::uint32_t kExplorer = 0x80000;
inline constexpr std::uint32_t kEnableSizing = 0x800000;
}  // namespace file_dialog_flag

// The request's flag word: the switches that are on, the hook, the Explorer
// style and sizing, and never a read-only check box.
std::uint32_t FileDialogFlags(const FileDialogSettings& settings);

struct ScreenRect {
  int left;
  int top;
  int right;
  int bottom;
};

struct ScreenPoint {
  int x;
  int y;
};

// The dialog's top-left corner, centred over its owner and kept inside the
// work area; each halving rounds towards zero.
ScreenPoint CentreOverOwner(const ScreenRect& owner, int dialogWidth, int dialogHeight,
                            const ScreenRect& workArea);

}  // namespace movaro
