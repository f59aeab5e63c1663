#include "ui/choose_directory.h"

namespace movaro {

void ChooseDirectory(MainWindow& window) {
  FileDialogControl& dialog = window.SaveLocationDialog();
  // Set before every opening, whatever an earlier one left: the dialog starts
  // at the root of the current drive with the preset name, never with the
  // edit box's text.
  dialog.Settings().initialFolder = "\\";
  dialog.Settings().kind = FileDialogKind::SaveFile;
  dialog.Settings().fileName = "Tencent Messages";
  if (!dialog.ShowFileDialog(window.Handle(), window.Instance())) {
    return;
  }
  window.SetEditText(window.Control(control_id::kSaveDirectory), dialog.Settings().fileName);
}

}  // namespace movaro
