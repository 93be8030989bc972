#pragma once
#include <string>

// Ends the game after a broken installation or an impossible internal state: closes the display,
// writes the message to the debug log, shows it in a serious message box and exits with status 1
// (a failure never ends as a success).
[[noreturn]] void FatalError(const std::string& message);
