#include "ui/window_definition.h"

#include "resources/resource_ids.h"

namespace movaro {

namespace {

constexpr char kInstructions[] =
    "1、关闭正在运行的TIM/QQ；\r\n"
    "2、选择目录，默认为：D:\\Tencent Messages，一键修改\r\n"
    "3、修改后，登录TIM/QQ，然后从原来的消息位置导入聊天记录\r\n"
    "TIM/QQ默认消息存储目录为：\r\n"
    "C:\\Users\\Administrator\\Documents\\Tencent Files";

constexpr Colour kBlack = Rgb(0, 0, 0);
constexpr Colour kWhite = Rgb(255, 255, 255);
constexpr Colour kGrey = Rgb(128, 128, 128);

using enum ControlKind;
namespace id = control_id;

// clang-format off
// name, id, kind, page, place, shown, tab stop, text, text colour, back colour,
// focus order, multi-line, read-only, sunken edge, picture
constexpr std::array<ControlDefinition, kControlCount> kControls{{
    {"状态条", id::kStatusBar, StatusBar, kNoPage, {0, 171, 382, 20}, true, false, "",
     kBlack, kButtonFace, 0, false, false, false, 0},
    {"编辑框1", id::kInstructions, Edit, 0, {7, 30, 368, 88}, true, true, kInstructions,
     kGrey, kWhite, 0, true, true, false, 0},
    {"图片框_客服1", id::kJpegPicture, PictureBox, 1, {208, 47, 100, 100}, true, false, "",
     kBlack, kButtonFace, 0, false, false, false, IDR_SUPPORT_QR_JPEG},
    {"编辑框_保存目录", id::kSaveDirectory, Edit, 0, {7, 125, 282, 20}, true, true,
     "D:\\Tencent Messages", kBlack, kWhite, 0, false, false, true, 0},
    {"通用对话框_保存位置", id::kSaveLocationDialog, FileDialog, 0, {247, 123, 26, 26}, false,
     false, "", kBlack, kButtonFace, 0, false, false, false, 0},
    {"按钮_选择目录", id::kChooseDirectory, Button, 0, {296, 125, 80, 21}, true, true,
     "选择目录", kBlack, kButtonFace, 0, false, false, false, 0},
    {"按钮_一键修改", id::kOneClickChange, Button, 0, {151, 156, 80, 25}, true, true,
     "一键修改", kBlack, kButtonFace, 0, false, false, false, 0},
    {"图片框_客服", id::kPngPicture, PictureBox, 1, {78, 47, 100, 100}, true, false, "",
     kBlack, kButtonFace, 0, false, false, false, IDR_SUPPORT_QR_PNG},
    {"标签_客服", id::kSupportLabel, Label, 1, {32, 157, 320, 15}, true, false,
     "多少均可，感谢支持，好人一生平安", Rgb(0, 136, 255), kButtonFace, 0, false, false, false, 0},
    {"高级选择夹_主", id::kMainTab, TabControl, kNoPage, {0, 1, 405, 245}, true, false, "",
     kBlack, kButtonFace, 0, false, false, false, 0},
}};
// clang-format on

constexpr WindowDefinition kWindow{1375797249, "Movaro Brenlow", {50, 50, 388, 245}, 388,
                                   245,        kButtonFace};

constexpr std::array<const char*, 2> kPageTitles{"TIM/QQ", "支持"};

}  // namespace

const WindowDefinition& MainWindowDefinition() { return kWindow; }
const std::array<ControlDefinition, kControlCount>& MainWindowControls() { return kControls; }
const std::array<const char*, 2>& PageTitles() { return kPageTitles; }

}  // namespace movaro
