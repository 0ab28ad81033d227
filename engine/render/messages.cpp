#include "render/messages.h"

#include "zbengine.h"

#include <cstdio>

namespace zb {

namespace {
MessageHandler handler = nullptr;
}

void setMessageHandler(MessageHandler h) {
    handler = h;
}

void reportMessage(const char* title, const char* text) {
    if (handler) {
        handler(title, text);
        return;
    }
    std::fprintf(stderr, "%s: %s\n", title, text);
}

} // namespace zb

extern "C" ZBDLL_API void ZBDLL_SetMessageHandler(void (*handler)(const char* title,
                                                                  const char* text)) {
    zb::setMessageHandler(handler);
}
