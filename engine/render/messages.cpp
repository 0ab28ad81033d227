#include "render/messages.h"

#include "zbengine.h"

#include <cstdio>

namespace zb {

void setMessageHandler(MessageHandler handler) {
    gEngine.messageHandler = handler;
}

void reportMessage(const char* title, const char* text) {
    if (gEngine.messageHandler) {
        gEngine.messageHandler(title, text);
        return;
    }
    std::fprintf(stderr, "%s: %s\n", title, text);
}

} // namespace zb

extern "C" ZBDLL_API void ZBDLL_SetMessageHandler(void (*handler)(const char* title,
                                                                  const char* text)) {
    zb::setMessageHandler(handler);
}
