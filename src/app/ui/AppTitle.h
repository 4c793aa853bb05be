#pragma once

#include "common/MessageSink.h"

#include <QString>

namespace tw {

inline QString appTitle() {
    return QString::fromUtf8(kAppTitle.data(), static_cast<qsizetype>(kAppTitle.size()));
}

} // namespace tw
