#pragma once

#include "common/DateTime.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tw {

// One stored session of the history file.
class clsSessionData {
public:
    DateTime startDate;
    DateTime stopDate;
    double downloaded = 0;
    double uploaded = 0;
    std::int32_t maxDownloadSpeed = 0;
    std::int32_t maxUploadSpeed = 0;
    bool isCurrent = false; // the running session shown by the log viewer; never written

    // The history line: "start;stop;downloaded;uploaded;max down;max up;" (no line end).
    std::string getStoreString() const;

    // Parses one session line; std::nullopt for a comment, a short line or a field that is not a date or number
    // (an amount beyond the range of the double it is held in included). Fields after the sixth ";" are ignored.
    static std::optional<clsSessionData> parse(std::string_view line);

    // The six fields of a session line as written, without their ";"; std::nullopt for a comment or a line with
    // fewer than six ";".
    using Fields = std::array<std::string_view, 6>;
    static std::optional<Fields> fieldsOf(std::string_view line);
    static std::optional<clsSessionData> parse(const Fields& fields);
};

// A byte amount as the history file writes it: the shortest decimal form of the double, whole numbers as plain
// digits (no exponent, no ".0"). A value that is not finite is written as 0.
std::string historyAmountText(double amount);

} // namespace tw
