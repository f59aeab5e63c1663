#include "ui/file_dialog_control.h"

#include <algorithm>
#include <cstring>

namespace movaro {

namespace {

const char* TextOrNull(const Text& text) { return text.empty() ? nullptr : text.c_str(); }

void CentreDialog(HWND dialog, HWND owner) {
  RECT ownerRect;
  RECT dialogRect;
  if (!::GetWindowRect(owner, &ownerRect) || !::GetWindowRect(dialog, &dialogRect)) {
    return;
  }
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  ::GetMonitorInfoA(::MonitorFromWindow(owner, MONITOR_DEFAULTTONEAREST), &monitor);
  const RECT& work = monitor.rcWork;
  const ScreenPoint at =
      CentreOverOwner({ownerRect.left, ownerRect.top, ownerRect.right, ownerRect.bottom},
                      dialogRect.right - dialogRect.left, dialogRect.bottom - dialogRect.top,
                      {work.left, work.top, work.right, work.bottom});
  ::SetWindowPos(dialog, nullptr, at.x, at.y, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
}

}  // namespace

FileDialogRequest::FileDialogRequest(const FileDialogSettings& settings, HWND owner,
                                     HINSTANCE instance) {
  const std::size_t nameLength = std::min(settings.fileName.size(), kNameBufferSize - 1);
  std::memcpy(name_.data(), settings.fileName.data(), nameLength);
  request_.lStructSize = kRequestSize;
  request_.hwndOwner = owner;
  request_.hInstance = instance;
  request_.lpstrFilter = TextOrNull(settings.filter);
  request_.lpstrFile = name_.data();
  request_.nMaxFile = kNameBufferSize;
  request_.lpstrFileTitle = fileTitle_.data();
  request_.nMaxFileTitle = kTitleBufferSize;
  request_.lpstrInitialDir = TextOrNull(settings.initialFolder);
  request_.lpstrTitle = TextOrNull(settings.title);
  request_.Flags = FileDialogFlags(settings);
  request_.lpstrDefExt = TextOrNull(settings.defaultExtension);
  request_.lpfnHook = FileDialogHook;
}

Text FileDialogRequest::FileName() const {
  return Text(name_.data(), ::strnlen(name_.data(), name_.size()));
}

bool FileDialogControl::ShowFileDialog(HWND owner, HINSTANCE instance) {
  FileDialogRequest request(settings_, owner, instance);
  const HWND focus = ::GetFocus();
  const bool disabledOwner = owner != nullptr && ::IsWindowEnabled(owner);
  if (disabledOwner) {
    ::EnableWindow(owner, FALSE);
  }
  const BOOL confirmed = settings_.kind == FileDialogKind::SaveFile
                             ? ::GetSaveFileNameA(&request.Get())
                             : ::GetOpenFileNameA(&request.Get());
  if (disabledOwner) {
    ::EnableWindow(owner, TRUE);
  }
  if (focus != nullptr && ::IsWindow(focus)) {
    ::SetFocus(focus);
  }
  if (!confirmed) {
    return false;
  }
  settings_.fileName = request.FileName();
  return true;
}

UINT_PTR CALLBACK FileDialogHook(HWND hook, UINT message, WPARAM, LPARAM lParam) {
  if (message != WM_NOTIFY) {
    return 0;
  }
  const auto* notification = reinterpret_cast<const OFNOTIFYA*>(lParam);
  switch (notification->hdr.code) {
    case CDN_INITDONE:
      // The hook's window is a child of the dialog the user sees.
      CentreDialog(::GetParent(hook), notification->lpOFN->hwndOwner);
      break;
    case CDN_FILEOK:
      ::SetWindowLongPtrA(hook, DWLP_MSGRESULT, 0);
      break;
    default:
      break;
  }
  return 0;
}

}  // namespace movaro
