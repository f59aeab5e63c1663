// The main window as data: one record for the window and one per control,
// in the definition's order, which is also their stacking order.
#pragma once

#include <array>
#include <cstdint>

namespace movaro {

// A colour as 0x00BBGGRR; kButtonFace stands for the system's button-face
// colour at the moment the colour is applied.
using Colour = std::uint32_t;
inline constexpr Colour kButtonFace = 0xFF000000u;
constexpr Colour Rgb(unsigned red, unsigned green, unsigned blue) {
  return red | (green << 8) | (blue << 16);
}

struct Place {
  int left;
  int top;
  int width;
  int height;
};

enum class ControlKind { StatusBar, Edit, PictureBox, FileDialog, Button, Label, TabControl };

inline constexpr int kNoPage = -1;  // the control belongs to the main window itself

struct ControlDefinition {
  const char* name;
  std::uint32_t id;  // also the child window's ID
  ControlKind kind;
  int page;  // page of the tab control, or kNoPage
  Place place;
  bool shown;  // shown whenever its page is selected
  bool tabStop;
  const char* text;
  Colour textColour;
  Colour backColour;
  int focusOrder;
  // Edit boxes only.
  bool multiLine;
  bool readOnly;
  bool sunkenEdge;  // a sunken client edge instead of a thin border
  // Picture boxes only: the resource that holds the picture file.
  int pictureResource;
};

struct WindowDefinition {
  std::uint32_t id;
  const char* caption;
  Place storedPlace;  // the window starts centred, whatever is stored here
  int width;
  int height;
  Colour backColour;
};

inline constexpr std::size_t kControlCount = 10;

const WindowDefinition& MainWindowDefinition();
const std::array<ControlDefinition, kControlCount>& MainWindowControls();
// The titles of the tab control's pages, in page order.
const std::array<const char*, 2>& PageTitles();

// Control identifiers, for the handlers that address controls.
namespace control_id {
inline constexpr std::uint32_t kStatusBar = 369176110;           // 状态条
inline constexpr std::uint32_t kInstructions = 369176107;        // 编辑框1
inline constexpr std::uint32_t kJpegPicture = 369176105;         // 图片框_客服1
inline constexpr std::uint32_t kSaveDirectory = 369176101;       // 编辑框_保存目录
inline constexpr std::uint32_t kSaveLocationDialog = 369176102;  // 通用对话框_保存位置
inline constexpr std::uint32_t kChooseDirectory = 369176103;     // 按钮_选择目录
inline constexpr std::uint32_t kOneClickChange = 369176104;      // 按钮_一键修改
inline constexpr std::uint32_t kPngPicture = 369176099;          // 图片框_客服
inline constexpr std::uint32_t kSupportLabel = 369176100;        // 标签_客服
inline constexpr std::uint32_t kMainTab = 369176096;             // 高级选择夹_主
}  // namespace control_id

}  // namespace movaro
