#pragma once

#include "common/MessageSink.h"

#include <QString>
#include <QStringList>

#include <span>
#include <string_view>

namespace tw {

// The core's texts (UTF-8) as the toolkit's strings.
inline QString toQString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

inline QStringList toQStringList(std::span<const std::string_view> texts) {
    QStringList out;
    out.reserve(static_cast<qsizetype>(texts.size()));
    for (std::string_view text : texts) {
        out << toQString(text);
    }
    return out;
}

// The caption of the main window and of the message boxes.
inline QString appTitle() {
    return toQString(kAppTitle);
}

} // namespace tw
