#pragma once

#include "common/MessageSink.h"

namespace tw {

// Shows core messages as message boxes with an OK button and the application title, owned by the active window.
class QtMessageSink final : public MessageSink {
public:
    void showMessage(std::string_view text, MessageIcon icon) override;
};

} // namespace tw
