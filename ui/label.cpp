#include "ui/label.h"

#include <memory>

#include "ui/colours.h"
#include "ui/form_font.h"
#include "ui/gdi.h"

namespace movaro {

namespace {

constexpr char kLabelClass[] = "MovaroLabel";

struct LabelState {
  Colour textColour;
  Colour backColour;
  UniqueFont font = CreateFormFont();
};

void PaintLabel(HWND window, HDC dc, const LabelState& state) {
  RECT client;
  ::GetClientRect(window, &client);
  const UniqueBrush background(::CreateSolidBrush(ToColorRef(state.backColour)));
  ::FillRect(dc, &client, background.get());
  char text[256];
  const int length = ::GetWindowTextA(window, text, sizeof text);
  const SelectionGuard font(dc, FontOrDefault(state.font));
  ::SetBkMode(dc, TRANSPARENT);
  ::SetTextColor(dc, ToColorRef(state.textColour));
  ::DrawTextA(dc, text, length, &client, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOCLIP);
}

LRESULT CALLBACK LabelProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* state = reinterpret_cast<LabelState*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
  switch (message) {
    case WM_NCCREATE: {
      const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
      ::SetWindowLongPtrA(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(create->lpCreateParams));
      break;
    }
    case WM_NCDESTROY:
      delete state;
      ::SetWindowLongPtrA(window, GWLP_USERDATA, 0);
      break;
    case WM_ERASEBKGND:
      return 1;  // painted whole in WM_PAINT
    case WM_PAINT:
      if (state != nullptr) {
        const PaintGuard paint(window);
        PaintLabel(window, paint.dc(), *state);
        return 0;
      }
      break;
    case WM_SETTEXT:
      ::InvalidateRect(window, nullptr, FALSE);
      break;
    case WM_GETFONT:
      return state != nullptr ? reinterpret_cast<LRESULT>(FontOrDefault(state->font)) : 0;
    default:
      break;
  }
  return ::DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

bool RegisterLabelClass(HINSTANCE instance) {
  WNDCLASSEXA windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = LabelProcedure;
  windowClass.hInstance = instance;
  windowClass.hCursor = ::LoadCursor(nullptr, IDC_ARROW);
  windowClass.lpszClassName = kLabelClass;
  return ::RegisterClassExA(&windowClass) != 0 || ::GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

HWND CreateLabel(HWND parent, const ControlDefinition& definition, HINSTANCE instance) {
  auto state = std::make_unique<LabelState>();
  state->textColour = definition.textColour;
  state->backColour = definition.backColour;
  const Place& place = definition.place;
  const HWND label = ::CreateWindowExA(
      0, kLabelClass, definition.text, WS_CHILD | WS_CLIPSIBLINGS, place.left, place.top,
      place.width, place.height, parent,
      reinterpret_cast<HMENU>(static_cast<UINT_PTR>(definition.id)), instance, state.get());
  if (label != nullptr) {
    state.release();  // the window owns it now and frees it at WM_NCDESTROY
  }
  return label;
}

}  // namespace movaro
