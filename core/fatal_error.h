// The one way the core gives up: a condition the program cannot run past.
#pragma once

#include <stdexcept>

#include "core/text.h"

namespace movaro {

// Thrown where the program must end: a declared system function that cannot
// be bound. The application catches it at its boundary, shows the message and
// ends the process; tests catch it to observe the report.
class FatalError : public std::runtime_error {
 public:
  explicit FatalError(const Text& message) : std::runtime_error(message) {}
};

}  // namespace movaro
