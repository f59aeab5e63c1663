// The program's one window: two pages of controls, a status bar, and the
// keyboard rules applied before a control sees a key.
#pragma once

#include <windows.h>

#include <array>
#include <functional>
#include <vector>

#include "core/window_access.h"
#include "ui/file_dialog_control.h"
#include "ui/gdi.h"
#include "ui/window_definition.h"

namespace movaro {

// One part of the status bar, as the bar keeps it.
struct StatusPart {
  std::int32_t width;          // -1: up to the bar's right end
  std::uint32_t drawingStyle;  // 0 sunken, SBT_NOBORDERS, SBT_POPOUT
  std::int32_t iconIndex;      // -1: none
  Text text;
  Text tipText;
};

class MainWindow final : public StatusLine, public MessageDirectoryBox {
 public:
  struct Handlers {
    std::function<void()> chooseDirectory;
    std::function<void()> oneClickChange;
    // Called once the window is gone, after its last message.
    std::function<void()> destroyed;
    // A handler failed in a way the program cannot run past (a system
    // function that cannot be bound, memory exhausted); does not return in
    // the program.
    std::function<void(const Text& message)> fatalError;
  };

  MainWindow(HINSTANCE instance, Handlers handlers);
  ~MainWindow() override;
  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;

  // Makes the window and all its controls, hidden; false when any of them
  // cannot be made.
  [[nodiscard]] bool CreateMainWindow();
  void ShowMainWindow();

  // Applies the keyboard rules to a message for the window or one of its
  // controls; true when the message was dealt with and must not be
  // dispatched.
  bool PreTranslateMessage(const MSG& message);

  void SetStatusPartText(int partIndex, const Text& text) override;
  // The text of 编辑框_保存目录.
  Text GetEditText() override;
  Text GetEditText(HWND edit) const;
  void SetEditText(HWND edit, const Text& text);

  HWND Handle() const { return window_; }
  HINSTANCE Instance() const { return instance_; }
  // 通用对话框_保存位置: its settings live as long as the window object.
  FileDialogControl& SaveLocationDialog() { return saveLocationDialog_; }
  HWND Control(std::uint32_t id) const;

 private:
  static LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void OnCommand(WPARAM wParam, LPARAM lParam);
  LRESULT OnControlColour(HDC dc, HWND control);
  void OnSetFocus();

  HWND MakeControl(const ControlDefinition& definition);
  HWND MakeEdit(const ControlDefinition& definition);
  HWND MakeStatusBar(const ControlDefinition& definition);
  void ApplyStatusParts();
  void ArrangeStacking();
  std::vector<std::size_t> CurrentFocusCycle() const;
  bool MoveFocus(bool forward);
  bool ClickDefaultButton();
  bool ClickMnemonic(char character);

  HINSTANCE instance_;
  Handlers handlers_;
  HWND window_ = nullptr;
  std::array<HWND, kControlCount> controls_{};
  std::vector<StatusPart> statusParts_;
  std::vector<UniqueFont> fonts_;
  std::array<UniqueBrush, kControlCount> editBrushes_;
  UniqueIcon bigIcon_;
  UniqueIcon smallIcon_;
  HWND focusWhenDeactivated_ = nullptr;
  HFONT font_ = nullptr;  // the stock font; not owned
  FileDialogControl saveLocationDialog_;
};

}  // namespace movaro
