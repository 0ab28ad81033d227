// Messages of the engine to the user. The host program installs a handler that shows them;
// without one they go to standard error.
#pragma once

#include "sim/engine_state.h"

namespace zb {

void setMessageHandler(MessageHandler handler);

// Shows one message through the handler in the state record (or on standard error).
void reportMessage(const char* title, const char* text);

} // namespace zb
