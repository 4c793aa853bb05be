#pragma once

#include <string_view>

namespace tw {

// Receives the progress of a long job (loading the history); the progress window implements it.
class ProgressSink {
public:
    virtual ~ProgressSink() = default;
    virtual void setLabel(std::string_view text) = 0;
    virtual void setProgress(int percent) = 0; // clamped to 0..100 by the receiver
};

} // namespace tw
