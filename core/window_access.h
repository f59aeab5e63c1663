// What the relocation core needs of the main window.
#pragma once

#include "core/text.h"

namespace movaro {

// Part 1 of the status bar, counting from 0, is where handlers report.
inline constexpr int kStatusLinePart = 1;

class StatusLine {
 public:
  virtual ~StatusLine() = default;
  // Replaces the text of the part at once; an index outside the bar's parts
  // is ignored.
  virtual void SetStatusPartText(int partIndex, const Text& text) = 0;
};

// The edit box that holds the message directory.
class MessageDirectoryBox {
 public:
  virtual ~MessageDirectoryBox() = default;
  // The box's whole current text; empty when the box is empty.
  virtual Text GetEditText() = 0;
};

}  // namespace movaro
