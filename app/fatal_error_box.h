// The report of a fatal error.
#pragma once

#include "core/text.h"

namespace movaro {

// Shows the error box, without an owner window, and returns when the user has
// closed it.
void ShowFatalErrorBox(const Text& message);

// A fatal error ends the process with exit code -1, 4294967295 as unsigned.
inline constexpr unsigned kFatalExitCode = 0xFFFFFFFFu;

}  // namespace movaro
