#pragma once

#include "history/HistoryFormat.h"
#include "history/clsSessionData.h"

#include <string>
#include <vector>

namespace twtest {

// The sessions a history file holds, in file order; none when it cannot be read.
inline std::vector<tw::clsSessionData> savedSessions(const std::string& historyPath) {
    std::vector<tw::clsSessionData> out;
    const auto lines = tw::readFileLines(historyPath).value_or(std::vector<std::string>{});
    for (std::size_t i = tw::kHistoryHeaderLineCount; i < lines.size(); ++i) {
        if (auto s = tw::clsSessionData::parse(lines[i])) {
            out.push_back(*s);
        }
    }
    return out;
}

} // namespace twtest
