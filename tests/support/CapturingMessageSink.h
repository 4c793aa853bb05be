#pragma once

#include "common/MessageSink.h"

#include <string>
#include <vector>

namespace twtest {

// Records the messages core code shows, for the life of the object.
class CapturingMessageSink final : public tw::MessageSink {
public:
    CapturingMessageSink() : m_previous(tw::setMessageSink(this)) {}
    ~CapturingMessageSink() override { tw::setMessageSink(m_previous); }
    void showMessage(std::string_view text, tw::MessageIcon) override { messages.emplace_back(text); }

    std::vector<std::string> messages;

private:
    tw::MessageSink* m_previous;
};

} // namespace twtest
