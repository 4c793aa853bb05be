#pragma once

#include <string>
#include <string_view>

namespace tw {

enum class MessageIcon { None, Information, Warning, Critical };

// Core code reports the user-facing failures the program shows as message boxes through this sink.
// The user interface installs a sink that shows QMessageBox with the application title; tests install one that
// records the texts. Without a sink, messages go to standard error.
class MessageSink {
public:
    virtual ~MessageSink() = default;
    virtual void showMessage(std::string_view text, MessageIcon icon) = 0;
};

// The sink in force; never null.
MessageSink& messageSink();
// Installs a sink (nullptr restores the standard-error one) and returns the previous one, or nullptr if none was set.
MessageSink* setMessageSink(MessageSink* sink);

inline void showMessage(std::string_view text, MessageIcon icon = MessageIcon::None) {
    messageSink().showMessage(text, icon);
}

// The application title used in captions and messages.
inline constexpr std::string_view kAppTitle = "Tallywave";

} // namespace tw
