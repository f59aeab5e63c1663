#include "ui/window_rules.h"

#include <algorithm>

namespace movaro {

std::vector<int> StatusPartEdges(const std::vector<std::int32_t>& widths) {
  std::vector<int> edges;
  int right = 0;
  for (const std::int32_t width : widths) {
    if (width == -1) {
      edges.push_back(-1);
      break;
    }
    right += width;
    edges.push_back(right);
  }
  return edges;
}

std::vector<std::size_t> FocusCycle(const std::vector<FocusCandidate>& controls) {
  std::vector<std::size_t> cycle;
  for (std::size_t i = controls.size(); i-- > 0;) {
    const FocusCandidate& control = controls[i];
    if (control.visible && control.enabled && control.tabStop && KindTakesFocus(control.kind)) {
      cycle.push_back(i);
    }
  }
  std::stable_sort(cycle.begin(), cycle.end(), [&](std::size_t a, std::size_t b) {
    return controls[a].focusOrder < controls[b].focusOrder;
  });
  return cycle;
}

std::optional<std::size_t> NextInCycle(const std::vector<std::size_t>& cycle,
                                       std::optional<std::size_t> current, bool forward) {
  if (cycle.empty()) {
    return std::nullopt;
  }
  const auto position = current ? std::find(cycle.begin(), cycle.end(), *current) : cycle.end();
  if (position == cycle.end()) {
    return cycle.front();
  }
  const std::size_t index = static_cast<std::size_t>(position - cycle.begin());
  const std::size_t next =
      forward ? (index + 1) % cycle.size() : (index + cycle.size() - 1) % cycle.size();
  return cycle[next];
}

}  // namespace movaro
