#include "ui/main_window.h"

#include <commctrl.h>

#include <cctype>
#include <new>
#include <optional>
#include <utility>

#include "core/fatal_error.h"
#include "ui/colours.h"
#include "ui/form_font.h"
#include "ui/label.h"
#include "ui/picture_box.h"
#include "ui/tab_control.h"
#include "ui/window_rules.h"

namespace movaro {

namespace {

constexpr char kMainWindowClass[] = "MovaroMainWindow";

constexpr DWORD kWindowStyle =
    WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;

HMENU ChildId(std::uint32_t id) { return reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)); }

std::size_t IndexOf(std::uint32_t id) {
  const auto& controls = MainWindowControls();
  for (std::size_t i = 0; i < controls.size(); ++i) {
    if (controls[i].id == id) {
      return i;
    }
  }
  return controls.size();
}

bool RegisterMainWindowClass(HINSTANCE instance, WNDPROC procedure) {
  WNDCLASSEXA windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = instance;
  windowClass.hCursor = ::LoadCursor(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = kMainWindowClass;
  return ::RegisterClassExA(&windowClass) != 0 || ::GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

}  // namespace

MainWindow::MainWindow(HINSTANCE instance, Handlers handlers)
    : instance_(instance), handlers_(std::move(handlers)) {
  statusParts_ = {{8, 0, -1, "", ""}, {-1, 0, -1, "1", ""}};
}

MainWindow::~MainWindow() {
  if (window_ != nullptr) {
    ::DestroyWindow(window_);
  }
}

HWND MainWindow::Control(std::uint32_t id) const {
  const std::size_t index = IndexOf(id);
  return index < controls_.size() ? controls_[index] : nullptr;
}

bool MainWindow::CreateMainWindow() {
  const INITCOMMONCONTROLSEX commonControls{sizeof(INITCOMMONCONTROLSEX), ICC_BAR_CLASSES};
  ::InitCommonControlsEx(&commonControls);
  if (!RegisterMainWindowClass(instance_, WindowProcedure) || !RegisterLabelClass(instance_) ||
      !RegisterTabControlClass(instance_) || !RegisterPictureBoxClass(instance_)) {
    return false;
  }

  const WindowDefinition& definition = MainWindowDefinition();
  const int left = CentredEdge(::GetSystemMetrics(SM_CXSCREEN), definition.width);
  const int top = CentredEdge(::GetSystemMetrics(SM_CYSCREEN), definition.height);
  window_ =
      ::CreateWindowExA(0, kMainWindowClass, definition.caption, kWindowStyle, left, top,
                        definition.width, definition.height, nullptr, nullptr, instance_, this);
  if (window_ == nullptr) {
    return false;
  }
  RECT made;
  ::GetWindowRect(window_, &made);
  if (made.right - made.left != definition.width || made.bottom - made.top != definition.height) {
    ::SetWindowPos(window_, nullptr, left, top, definition.width, definition.height,
                   SWP_NOZORDER | SWP_NOACTIVATE);
  }
  bigIcon_.reset(
      static_cast<HICON>(::LoadImageA(instance_, "DEFAULT_ICON", IMAGE_ICON, 32, 32, 0)));
  smallIcon_.reset(
      static_cast<HICON>(::LoadImageA(instance_, "DEFAULT_ICON", IMAGE_ICON, 16, 16, 0)));
  ::SendMessageA(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon_.get()));
  ::SendMessageA(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_.get()));
  ::SendMessageA(window_, WM_SETFONT, reinterpret_cast<WPARAM>(::GetStockObject(DEFAULT_GUI_FONT)),
                 FALSE);

  // Made in reverse order, so the tab control exists before its pages.
  const auto& controls = MainWindowControls();
  HWND tab = nullptr;
  for (std::size_t i = controls.size(); i-- > 0;) {
    controls_[i] = MakeControl(controls[i]);
    if (controls_[i] == nullptr) {
      return false;
    }
    if (controls[i].kind == ControlKind::TabControl) {
      tab = controls_[i];
    }
  }
  for (std::size_t i = 0; i < controls.size(); ++i) {
    const ControlDefinition& control = controls[i];
    if (control.page != kNoPage) {
      ::SetParent(controls_[i], tab);
      AddPageControl(tab, control.page, controls_[i], control.shown, KindTakesFocus(control.kind));
    }
  }
  ArrangeStacking();
  for (std::size_t i = 0; i < controls.size(); ++i) {
    if (controls[i].shown && controls[i].page == kNoPage) {
      ::ShowWindow(controls_[i], SW_SHOWNA);
    }
  }
  return true;
}

void MainWindow::ShowMainWindow() { ::ShowWindow(window_, SW_SHOW); }

HWND MainWindow::MakeControl(const ControlDefinition& definition) {
  const Place& place = definition.place;
  const RECT rect{place.left, place.top, place.left + place.width, place.top + place.height};
  switch (definition.kind) {
    case ControlKind::TabControl: {
      std::vector<TabPage> pages;
      for (const char* title : PageTitles()) {
        pages.push_back({title});
      }
      const HWND made = CreateTabControl(window_, static_cast<int>(definition.id), rect, pages);
      if (made != nullptr) {
        ::ShowWindow(made, SW_HIDE);
      }
      return made;
    }
    case ControlKind::Edit:
      return MakeEdit(definition);
    case ControlKind::Button: {
      const HWND button =
          ::CreateWindowExA(0, "BUTTON", definition.text,
                            WS_CHILD | WS_CLIPSIBLINGS | (definition.tabStop ? WS_TABSTOP : 0) |
                                BS_PUSHBUTTON | BS_MULTILINE | BS_CENTER | BS_VCENTER,
                            place.left, place.top, place.width, place.height, window_,
                            ChildId(definition.id), instance_, nullptr);
      if (button != nullptr) {
        fonts_.push_back(CreateFormFont());
        ::SendMessageA(button, WM_SETFONT, reinterpret_cast<WPARAM>(FontOrDefault(fonts_.back())),
                       FALSE);
      }
      return button;
    }
    case ControlKind::Label:
      return CreateLabel(window_, definition, instance_);
    case ControlKind::PictureBox: {
      const auto bytes = PictureResourceBytes(instance_, definition.pictureResource);
      return CreatePictureBox(window_, static_cast<int>(definition.id), rect, bytes.data(),
                              bytes.size());
    }
    case ControlKind::FileDialog:
      // Its settings live in saveLocationDialog_; the window only carries the
      // control's identifier and is never shown.
      return ::CreateWindowExA(0, "STATIC", "", WS_CHILD, place.left, place.top, place.width,
                               place.height, window_, ChildId(definition.id), instance_, nullptr);
    case ControlKind::StatusBar:
      return MakeStatusBar(definition);
  }
  return nullptr;
}

HWND MainWindow::MakeEdit(const ControlDefinition& definition) {
  DWORD style = WS_CHILD | WS_CLIPSIBLINGS | ES_LEFT | (definition.tabStop ? WS_TABSTOP : 0);
  style |= definition.multiLine ? ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN : ES_AUTOHSCROLL;
  style |= definition.readOnly ? ES_READONLY : 0;
  style |= definition.sunkenEdge ? 0 : WS_BORDER;
  const Place& place = definition.place;
  const HWND edit = ::CreateWindowExA(
      definition.sunkenEdge ? WS_EX_CLIENTEDGE : 0, "EDIT", definition.text, style, place.left,
      place.top, place.width, place.height, window_, ChildId(definition.id), instance_, nullptr);
  if (edit == nullptr) {
    return nullptr;
  }
  fonts_.push_back(CreateFormFont());
  ::SendMessageA(edit, WM_SETFONT, reinterpret_cast<WPARAM>(FontOrDefault(fonts_.back())), FALSE);
  ::SendMessageA(edit, EM_LIMITTEXT, 0, 0);
  ::SendMessageA(edit, EM_SETSEL, 0, 0);
  ::SendMessageA(edit, EM_SCROLLCARET, 0, 0);
  editBrushes_[IndexOf(definition.id)].reset(::CreateSolidBrush(ToColorRef(definition.backColour)));
  return edit;
}

HWND MainWindow::MakeStatusBar(const ControlDefinition& definition) {
  const Place& place = definition.place;
  const HWND bar = ::CreateWindowExA(
      0, STATUSCLASSNAMEA, "", WS_CHILD | CCS_BOTTOM | SBARS_TOOLTIPS, place.left, place.top,
      place.width, place.height, window_, ChildId(definition.id), instance_, nullptr);
  if (bar == nullptr) {
    return nullptr;
  }
  fonts_.push_back(CreateFormFont());
  ::SendMessageA(bar, WM_SETFONT, reinterpret_cast<WPARAM>(FontOrDefault(fonts_.back())), FALSE);
  ::SendMessageA(bar, SB_SIMPLE, FALSE, 0);
  ::SendMessageA(bar, SB_SETBKCOLOR, 0, static_cast<LPARAM>(ToColorRef(definition.backColour)));
  controls_[IndexOf(definition.id)] = bar;
  ApplyStatusParts();
  return bar;
}

void MainWindow::ApplyStatusParts() {
  const HWND bar = Control(control_id::kStatusBar);
  if (statusParts_.empty()) {
    ::SendMessageA(bar, SB_SIMPLE, TRUE, 0);
    return;
  }
  std::vector<std::int32_t> widths;
  for (const StatusPart& part : statusParts_) {
    widths.push_back(part.width);
  }
  std::vector<int> edges = StatusPartEdges(widths);
  const BOOL wasSimple = static_cast<BOOL>(::SendMessageA(bar, SB_ISSIMPLE, 0, 0));
  ::SendMessageA(bar, SB_SIMPLE, FALSE, 0);
  if (!::SendMessageA(bar, SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()))) {
    ::SendMessageA(bar, SB_SIMPLE, wasSimple, 0);
    return;
  }
  for (std::size_t i = 0; i < statusParts_.size(); ++i) {
    const StatusPart& part = statusParts_[i];
    ::SendMessageA(bar, SB_SETTEXTA, i | part.drawingStyle,
                   reinterpret_cast<LPARAM>(part.text.c_str()));
    ::SendMessageA(bar, SB_SETICON, i, 0);
    ::SendMessageA(bar, SB_SETTIPTEXTA, i, reinterpret_cast<LPARAM>(part.tipText.c_str()));
  }
}

// Each control goes directly below the previous control of the same parent;
// the first control of a parent goes to the top.
void MainWindow::ArrangeStacking() {
  const auto& controls = MainWindowControls();
  HWND previousOnWindow = nullptr;
  HWND previousOnTab = nullptr;
  for (std::size_t i = 0; i < controls.size(); ++i) {
    HWND& previous = controls[i].page == kNoPage ? previousOnWindow : previousOnTab;
    ::SetWindowPos(controls_[i], previous != nullptr ? previous : HWND_TOP, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    previous = controls_[i];
  }
}

void MainWindow::SetStatusPartText(int partIndex, const Text& text) {
  if (partIndex < 0 || static_cast<std::size_t>(partIndex) >= statusParts_.size()) {
    return;
  }
  StatusPart& part = statusParts_[static_cast<std::size_t>(partIndex)];
  part.text = text;
  ::SendMessageA(Control(control_id::kStatusBar), SB_SETTEXTA,
                 static_cast<WPARAM>(partIndex) | part.drawingStyle,
                 reinterpret_cast<LPARAM>(part.text.c_str()));
}

Text MainWindow::GetEditText() { return GetEditText(Control(control_id::kSaveDirectory)); }

Text MainWindow::GetEditText(HWND edit) const {
  const int length = ::GetWindowTextLengthA(edit);
  Text text(static_cast<std::size_t>(length) + 1, '\0');
  const int copied = ::GetWindowTextA(edit, text.data(), length + 1);
  text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
  return text;
}

void MainWindow::SetEditText(HWND edit, const Text& text) { ::SetWindowTextA(edit, text.c_str()); }

LRESULT CALLBACK MainWindow::WindowProcedure(HWND window, UINT message, WPARAM wParam,
                                             LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<MainWindow*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
    self->window_ = window;
    ::SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<MainWindow*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
  if (self == nullptr) {
    return ::DefWindowProcA(window, message, wParam, lParam);
  }
  // Exceptions cannot cross the system's frames back to the message loop.
  try {
    return self->HandleMessage(message, wParam, lParam);
  } catch (const FatalError& error) {
    self->handlers_.fatalError(error.what());
  } catch (const std::bad_alloc&) {
    self->handlers_.fatalError("内存不足。");
  }
  return 0;
}

LRESULT MainWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      OnCommand(wParam, lParam);
      return 0;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
      return OnControlColour(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_ACTIVATE:
      if (LOWORD(wParam) == WA_INACTIVE) {
        const HWND focus = ::GetFocus();
        if (focus != nullptr && ::IsChild(window_, focus)) {
          focusWhenDeactivated_ = focus;
        }
      }
      break;
    case WM_SETFOCUS:
      OnSetFocus();
      return 0;
    case WM_SETFONT:
      // A top-level window keeps no font of its own; this one answers for it.
      font_ = reinterpret_cast<HFONT>(wParam);
      return 0;
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(font_);
    case WM_NCDESTROY: {
      const HWND destroyed = std::exchange(window_, nullptr);
      controls_.fill(nullptr);
      const LRESULT result = ::DefWindowProcA(destroyed, message, wParam, lParam);
      if (handlers_.destroyed) {
        handlers_.destroyed();
      }
      return result;
    }
    default:
      break;
  }
  return ::DefWindowProcA(window_, message, wParam, lParam);
}

void MainWindow::OnCommand(WPARAM wParam, LPARAM lParam) {
  if (HIWORD(wParam) != BN_CLICKED || lParam == 0) {
    return;
  }
  const auto id = static_cast<std::uint32_t>(::GetDlgCtrlID(reinterpret_cast<HWND>(lParam)));
  if (id == control_id::kChooseDirectory && handlers_.chooseDirectory) {
    handlers_.chooseDirectory();
  } else if (id == control_id::kOneClickChange && handlers_.oneClickChange) {
    handlers_.oneClickChange();
  }
}

LRESULT MainWindow::OnControlColour(HDC dc, HWND control) {
  const std::size_t index = IndexOf(static_cast<std::uint32_t>(::GetDlgCtrlID(control)));
  if (index >= controls_.size() || controls_[index] != control || !editBrushes_[index]) {
    return ::DefWindowProcA(window_, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                            reinterpret_cast<LPARAM>(control));
  }
  const ControlDefinition& definition = MainWindowControls()[index];
  ::SetTextColor(dc, ToColorRef(definition.textColour));
  ::SetBkColor(dc, ToColorRef(definition.backColour));
  return reinterpret_cast<LRESULT>(editBrushes_[index].get());
}

void MainWindow::OnSetFocus() {
  if (focusWhenDeactivated_ != nullptr && ::IsWindow(focusWhenDeactivated_) &&
      ::IsChild(window_, focusWhenDeactivated_)) {
    ::SetFocus(focusWhenDeactivated_);
    return;
  }
  const std::vector<std::size_t> cycle = CurrentFocusCycle();
  if (!cycle.empty()) {
    ::SetFocus(controls_[cycle.front()]);
  }
}

std::vector<std::size_t> MainWindow::CurrentFocusCycle() const {
  std::vector<FocusCandidate> candidates;
  const auto& controls = MainWindowControls();
  for (std::size_t i = 0; i < controls.size(); ++i) {
    const HWND control = controls_[i];
    candidates.push_back(
        {controls[i].kind, ::IsWindowVisible(control) != FALSE, ::IsWindowEnabled(control) != FALSE,
         (::GetWindowLongA(control, GWL_STYLE) & WS_TABSTOP) != 0, controls[i].focusOrder});
  }
  return FocusCycle(candidates);
}

bool MainWindow::MoveFocus(bool forward) {
  const HWND focus = ::GetFocus();
  std::optional<std::size_t> current;
  for (std::size_t i = 0; i < controls_.size(); ++i) {
    if (controls_[i] == focus) {
      current = i;
    }
  }
  if (const auto next = NextInCycle(CurrentFocusCycle(), current, forward)) {
    ::SetFocus(controls_[*next]);
  }
  return true;
}

// Enter clicks an enabled default push button, the focused one first; none
// of this window's buttons is one, so Enter does nothing here.
bool MainWindow::ClickDefaultButton() {
  auto isDefaultButton = [](HWND control) {
    char className[16];
    return control != nullptr && ::GetClassNameA(control, className, sizeof className) > 0 &&
           ::lstrcmpiA(className, "BUTTON") == 0 && ::IsWindowEnabled(control) &&
           (::GetWindowLongA(control, GWL_STYLE) & 0x0F) == BS_DEFPUSHBUTTON;
  };
  HWND target = ::GetFocus();
  if (!isDefaultButton(target)) {
    target = nullptr;
    for (const HWND control : controls_) {
      if (isDefaultButton(control)) {
        target = control;
        break;
      }
    }
  }
  if (target != nullptr) {
    ::SendMessageA(target, BM_CLICK, 0, 0);
  }
  return true;
}

// Alt with a letter or digit clicks a visible, enabled button whose caption
// marks that character with "&".
bool MainWindow::ClickMnemonic(char character) {
  const auto& controls = MainWindowControls();
  for (std::size_t i = 0; i < controls.size(); ++i) {
    if (controls[i].kind != ControlKind::Button || !::IsWindowVisible(controls_[i]) ||
        !::IsWindowEnabled(controls_[i])) {
      continue;
    }
    const Text caption = GetEditText(controls_[i]);
    for (std::size_t at = caption.find('&'); at != Text::npos && at + 1 < caption.size();
         at = caption.find('&', at + 2)) {
      if (std::toupper(static_cast<unsigned char>(caption[at + 1])) ==
          std::toupper(static_cast<unsigned char>(character))) {
        ::SendMessageA(controls_[i], BM_CLICK, 0, 0);
        return true;
      }
    }
  }
  return true;
}

bool MainWindow::PreTranslateMessage(const MSG& message) {
  if (window_ == nullptr || (message.hwnd != window_ && !::IsChild(window_, message.hwnd))) {
    return false;
  }
  if (message.message == WM_KEYDOWN) {
    switch (message.wParam) {
      case VK_TAB:
        return MoveFocus(::GetKeyState(VK_SHIFT) >= 0);
      case VK_RETURN: {
        const LONG style = ::GetWindowLongA(message.hwnd, GWL_STYLE);
        char className[16] = {};
        ::GetClassNameA(message.hwnd, className, sizeof className);
        const bool editableMultiLine = ::lstrcmpiA(className, "EDIT") == 0 &&
                                       (style & ES_MULTILINE) != 0 && (style & ES_READONLY) == 0;
        return editableMultiLine ? false : ClickDefaultButton();
      }
      case VK_ESCAPE:
        ::SendMessageA(window_, WM_CLOSE, 0, 0);
        return true;
      case VK_F1:
        return true;  // no help file
      default:
        return false;
    }
  }
  if (message.message == WM_SYSCHAR && ::IsCharAlphaNumericA(static_cast<CHAR>(message.wParam))) {
    return ClickMnemonic(static_cast<char>(message.wParam));
  }
  return false;
}

}  // namespace movaro
