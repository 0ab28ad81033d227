// Messages of the engine to the user. The host program installs a handler that shows them;
// without one they go to standard error.
#pragma once

namespace zb {

using MessageHandler = void (*)(const char* title, const char* text);

void setMessageHandler(MessageHandler handler);

// Shows one message through the handler (or on standard error).
void reportMessage(const char* title, const char* text);

} // namespace zb
