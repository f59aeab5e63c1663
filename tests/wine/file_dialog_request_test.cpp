// The request the dialog control hands to the system.
#include "ui/file_dialog_control.h"

#include <gtest/gtest.h>

#include <string>

namespace movaro::testing {
namespace {

FileDialogSettings ChooseDirectorySettings() {
  FileDialogSettings settings;
  settings.kind = FileDialogKind::SaveFile;
  settings.fileName = "Tencent Messages";
  settings.initialFolder = "\\";
  return settings;
}

TEST(FileDialogRequestTest, HoldsExactlyWhatTheSaveDialogIsAskedFor) {
  const HWND owner = reinterpret_cast<HWND>(0x1234);
  const HINSTANCE instance = ::GetModuleHandleA(nullptr);
  FileDialogRequest request(ChooseDirectorySettings(), owner, instance);
  const OPENFILENAMEA& ofn = request.Get();

  EXPECT_EQ(ofn.lStructSize, 76u);
  EXPECT_EQ(ofn.hwndOwner, owner);
  EXPECT_EQ(ofn.hInstance, instance);
  EXPECT_EQ(ofn.lpstrFilter, nullptr);
  EXPECT_EQ(ofn.lpstrCustomFilter, nullptr);
  EXPECT_EQ(ofn.nFilterIndex, 0u);
  EXPECT_EQ(ofn.nMaxFile, 260u);
  EXPECT_EQ(std::string(ofn.lpstrFile, 260), "Tencent Messages" + std::string(244, '\0'));
  ASSERT_NE(ofn.lpstrFileTitle, nullptr);
  EXPECT_EQ(ofn.nMaxFileTitle, 64u);
  EXPECT_EQ(std::string(ofn.lpstrFileTitle, 64), std::string(64, '\0'));
  EXPECT_STREQ(ofn.lpstrInitialDir, "\\");
  EXPECT_EQ(ofn.lpstrTitle, nullptr);
  EXPECT_EQ(ofn.Flags, 0x00881826u);
  EXPECT_EQ(ofn.lpstrDefExt, nullptr);
  EXPECT_EQ(ofn.lpfnHook, &FileDialogHook);
  EXPECT_EQ(ofn.lpTemplateName, nullptr);
  EXPECT_EQ(request.FileName(), "Tencent Messages");
}

TEST(FileDialogRequestTest, LongNamesAreCutToTheBufferAndOptionalTextsPassedWhenSet) {
  FileDialogSettings settings = ChooseDirectorySettings();
  settings.fileName = std::string(300, 'x');
  settings.title = "t";
  settings.filter = std::string("All\0*.*\0", 9);
  settings.defaultExtension = "dat";
  settings.initialFolder.clear();
  FileDialogRequest request(settings, nullptr, nullptr);

  EXPECT_EQ(request.FileName(), std::string(259, 'x'));
  EXPECT_EQ(request.Get().lpstrFile[259], '\0');
  EXPECT_STREQ(request.Get().lpstrTitle, "t");
  EXPECT_STREQ(request.Get().lpstrFilter, "All");
  EXPECT_STREQ(request.Get().lpstrDefExt, "dat");
  EXPECT_EQ(request.Get().lpstrInitialDir, nullptr);
}

}  // namespace
}  // namespace movaro::testing
