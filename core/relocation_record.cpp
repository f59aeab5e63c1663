#include "core/relocation_record.h"

#include "core/settings_folder.h"

namespace movaro {

namespace {

constexpr char kSection[] = "UserDataSet";
constexpr int kWriteStored = 1;

bool WriteSavePathType(ProfileWriter& profile, const Text& file) {
  return profile.WritePrivateProfileStringA(kSection, "UserDataSavePathType", "2", file.c_str()) ==
         kWriteStored;
}

// An empty directory is written as an empty value: a null would delete the key.
bool WriteSavePath(ProfileWriter& profile, const Text& file, const Text& messageDirectory) {
  return profile.WritePrivateProfileStringA(kSection, "UserDataSavePath", messageDirectory.c_str(),
                                            file.c_str()) == kWriteStored;
}

}  // namespace

Text SettingsFilePath() { return SettingsFolderPath + R"(\UserDataInfo.ini)"; }

bool WriteRelocationRecord(ProfileWriter& profile, const Text& messageDirectory) {
  const Text file = SettingsFilePath();
  const bool typeStored = WriteSavePathType(profile, file);
  const bool pathStored = WriteSavePath(profile, file, messageDirectory);
  return typeStored && pathStored;
}

void ApplyRelocation(ProfileWriter& profile, MessageDirectoryBox& directoryBox,
                     StatusLine& statusLine) {
  const Text file = SettingsFilePath();
  const bool typeStored = WriteSavePathType(profile, file);
  const bool pathStored = WriteSavePath(profile, file, directoryBox.GetEditText());
  if (typeStored && pathStored) {
    statusLine.SetStatusPartText(kStatusLinePart, "成功修改为：" + directoryBox.GetEditText());
  } else {
    statusLine.SetStatusPartText(kStatusLinePart, "修改失败！");
  }
}

}  // namespace movaro
