#include "ui/file_dialog_rules.h"

namespace movaro {

namespace {

// Centred on [low, high], then pushed back inside [areaLow, areaHigh].
int CentreAxis(int low, int high, int size, int areaLow, int areaHigh) {
  int start = (low + high) / 2 - size / 2;
  if (start < areaLow) {
    start = areaLow;
  } else if (start + size > areaHigh) {
    start = areaHigh - size;
  }
  return start;
}

}  // namespace

std::uint32_t FileDialogFlags(const FileDialogSettings& settings) {
  namespace flag = file_dialog_flag;
  std::uint32_t flags = flag::kHideReadOnly;
  if (settings.askBeforeCreating) {
    flags |= flag::kCreatePrompt;
  }
  if (settings.fileMustExist) {
    flags |= flag::kFileMustExist;
  }
  if (settings.askBeforeOverwriting) {
    flags |= flag::kOverwritePrompt;
  }
  if (settings.pathMustExist) {
    flags |= flag::kPathMustExist;
  }
  if (settings.keepCurrentDirectory) {
    flags |= flag::kNoChangeDir;
  }
  return flags | flag::kEnableHook | flag::kEnableSizing | flag::kExplorer;
}

ScreenPoint CentreOverOwner(const ScreenRect& owner, int dialogWidth, int dialogHeight,
                            const ScreenRect& workArea) {
  return {CentreAxis(owner.left, owner.right, dialogWidth, workArea.left, workArea.right),
          CentreAxis(owner.top, owner.bottom, dialogHeight, workArea.top, workArea.bottom)};
}

}  // namespace movaro
