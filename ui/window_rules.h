// Pure calculations of the main window: where it starts, the status bar's
// part edges and the order in which controls take the keyboard focus.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "ui/window_definition.h"

namespace movaro {

// The window's left or top edge, centred on a screen of `screen` pixels;
// the division truncates towards zero, as C++'s does.
constexpr int CentredEdge(int screen, int size) { return (screen - size) / 2; }

// Right edges of the status parts from their widths: a running sum, with -1
// (up to the bar's right end) for a part of width -1 and no edges after it.
std::vector<int> StatusPartEdges(const std::vector<std::int32_t>& widths);

struct FocusCandidate {
  ControlKind kind;
  bool visible;
  bool enabled;
  bool tabStop;
  int focusOrder;
};

// Only edit boxes and buttons take the keyboard focus.
constexpr bool KindTakesFocus(ControlKind kind) {
  return kind == ControlKind::Edit || kind == ControlKind::Button;
}

// The controls the Tab keys visit, as indices into `controls` (definition
// order): eligible controls by focus order, lowest first; equal values in
// reverse definition order.
std::vector<std::size_t> FocusCycle(const std::vector<FocusCandidate>& controls);

// Where Tab (forward) or Shift+Tab moves the focus from `current`, wrapping;
// the start of the cycle when `current` is not in it. None for an empty cycle.
std::optional<std::size_t> NextInCycle(const std::vector<std::size_t>& cycle,
                                       std::optional<std::size_t> current, bool forward);

}  // namespace movaro
