#include "common/MessageSink.h"

#include <cstdio>

namespace tw {

namespace {

class StderrSink final : public MessageSink {
public:
    void showMessage(std::string_view text, MessageIcon) override {
        std::fprintf(stderr, "%.*s\n", static_cast<int>(text.size()), text.data());
    }
};

StderrSink gStderrSink;
MessageSink* gSink = nullptr;

} // namespace

MessageSink& messageSink() {
    return gSink ? *gSink : gStderrSink;
}

MessageSink* setMessageSink(MessageSink* sink) {
    MessageSink* old = gSink;
    gSink = sink;
    return old;
}

} // namespace tw
