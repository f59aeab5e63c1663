// The relocation record: the two keys of the shared settings file that tell
// both chat clients where to keep their messages.
#pragma once

#include "core/profile_writer.h"
#include "core/text.h"
#include "core/window_access.h"

namespace movaro {

// SettingsFolderPath followed by "\UserDataInfo.ini", formed afresh for each
// write from the variable's current value.
[[nodiscard]] Text SettingsFilePath();

// Writes UserDataSavePathType = "2", then UserDataSavePath = the directory,
// into section UserDataSet. Both writes are always made and neither is undone;
// true only when each reported exactly 1.
[[nodiscard]] bool WriteRelocationRecord(ProfileWriter& profile, const Text& messageDirectory);

// The click handler of the one-click change button: writes the record with the
// edit box's directory and reports the outcome on the status line.
void ApplyRelocation(ProfileWriter& profile, MessageDirectoryBox& directoryBox,
                     StatusLine& statusLine);

}  // namespace movaro
