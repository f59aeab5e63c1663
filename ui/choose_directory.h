// The click handler of 按钮_选择目录.
#pragma once

#include "ui/main_window.h"

namespace movaro {

// Opens the Save As dialog as a folder picker with "Tencent Messages" preset;
// a confirmed full path replaces the text of 编辑框_保存目录. Nothing is
// written anywhere until the one-click change.
void ChooseDirectory(MainWindow& window);

}  // namespace movaro
