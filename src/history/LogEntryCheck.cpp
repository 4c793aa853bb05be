#include "history/LogEntryCheck.h"

#include <charconv>
#include <cmath>

namespace tw {

namespace {

constexpr std::size_t kMaxAmountChars = 28;
constexpr std::string_view kLargestSpeed = "2147483646";

// A non-negative decimal number split into its whole digits (no leading zeros) and fraction digits.
struct EntryNumber {
    std::string whole;
    std::string fraction;
};

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) {
        s.remove_prefix(1);
    }
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) {
        s.remove_suffix(1);
    }
    return s;
}

std::optional<EntryNumber> parseEntryNumber(std::string_view text) {
    text = trimmed(text);
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
    }
    EntryNumber n;
    bool inFraction = false;
    bool anyDigit = false;
    for (char c : text) {
        if (c == ' ' && !inFraction) {
            continue; // digit groups
        }
        if ((c == '.' || c == ',') && !inFraction) {
            inFraction = true;
        } else if (c >= '0' && c <= '9') {
            anyDigit = true;
            if (inFraction) {
                n.fraction += c;
            } else if (!n.whole.empty() || c != '0') {
                n.whole += c;
            }
        } else {
            return std::nullopt;
        }
    }
    if (!anyDigit) {
        return std::nullopt;
    }
    return n;
}

double valueOf(const EntryNumber& n) {
    std::string text = (n.whole.empty() ? "0" : n.whole) + "." + n.fraction + "0";
    double v = 0;
    std::from_chars(text.data(), text.data() + text.size(), v);
    return v;
}

bool aboveLargestSpeed(const EntryNumber& n) {
    if (n.whole.size() != kLargestSpeed.size()) {
        return n.whole.size() > kLargestSpeed.size();
    }
    if (n.whole != kLargestSpeed) {
        return n.whole > kLargestSpeed;
    }
    return n.fraction.find_first_not_of('0') != std::string::npos;
}

constexpr std::string_view kTimeForm = "It should be on the form \"hh:mm\".";

} // namespace

std::optional<std::pair<int, int>> parseEntryTime(const std::string& text) {
    std::string_view t = trimmed(text);
    int parts[3] = {0, 0, 0};
    int count = 0;
    while (count < 3) {
        int value = 0;
        auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), value);
        std::size_t used = static_cast<std::size_t>(end - t.data());
        if (ec != std::errc{} || used == 0 || used > 2 || value < 0) {
            return std::nullopt;
        }
        parts[count++] = value;
        t.remove_prefix(used);
        if (t.empty()) {
            break;
        }
        if (t.front() != ':') {
            return std::nullopt;
        }
        t.remove_prefix(1);
    }
    if (!t.empty() || count < 2 || parts[0] > 23 || parts[1] > 59 || parts[2] > 59) {
        return std::nullopt;
    }
    return std::pair{parts[0], parts[1]};
}

std::optional<LogEntryProblem> checkLogEntry(const LogEntryTexts& texts, LogEntryDialogKind kind) {
    if (!parseEntryTime(texts.startTime)) {
        return LogEntryProblem{LogEntryField::StartTime, "Start time is not a time value.\n" + std::string(kTimeForm)};
    }
    if (!parseEntryTime(texts.endTime)) {
        return LogEntryProblem{LogEntryField::EndTime, "End time is not a time value.\n" + std::string(kTimeForm)};
    }
    auto down = parseEntryNumber(texts.downloaded);
    if (!down) {
        return LogEntryProblem{LogEntryField::Downloaded, "Number of downloaded bytes are not numeric."};
    }
    auto up = parseEntryNumber(texts.uploaded);
    if (!up) {
        return LogEntryProblem{LogEntryField::Uploaded, "Number of uploaded bytes are not numeric."};
    }
    auto maxDown = parseEntryNumber(texts.maxDownloadSpeed);
    if (!maxDown) {
        return LogEntryProblem{LogEntryField::MaxDownloadSpeed, "Download speed are not numeric."};
    }
    auto maxUp = parseEntryNumber(texts.maxUploadSpeed);
    if (!maxUp) {
        return LogEntryProblem{LogEntryField::MaxUploadSpeed, "Upload speed are not numeric."};
    }
    if (texts.downloaded.size() > kMaxAmountChars) {
        return LogEntryProblem{LogEntryField::Downloaded, "The number of downloaded bytes is too big."};
    }
    if (texts.uploaded.size() > kMaxAmountChars) {
        return LogEntryProblem{LogEntryField::Uploaded, "The number of uploaded bytes is too big."};
    }
    if (aboveLargestSpeed(*maxDown)) {
        return LogEntryProblem{LogEntryField::MaxDownloadSpeed, "The download speed is too large."};
    }
    if (aboveLargestSpeed(*maxUp)) {
        return LogEntryProblem{LogEntryField::MaxUploadSpeed, "The upload speed is too large."};
    }
    if (valueOf(*down) + valueOf(*up) < 1) {
        std::string message = "Download and upload can't both be zero.";
        if (kind == LogEntryDialogKind::Edit) {
            message += "\nPlease change at least one of them or simply\nremove the log in the View logs window.";
        }
        return LogEntryProblem{LogEntryField::Downloaded, message};
    }
    return std::nullopt;
}

clsSessionData sessionFromLogEntry(const DateTime& date, const LogEntryTexts& texts) {
    auto at = [&date](const std::string& time) {
        auto hm = parseEntryTime(time).value_or(std::pair{0, 0});
        return DateTime::fromCivil(date.year, date.month, date.day, hm.first, hm.second);
    };
    auto number = [](const std::string& text) {
        auto n = parseEntryNumber(text);
        return n ? std::round(valueOf(*n)) : 0.0;
    };
    clsSessionData s;
    s.startDate = at(texts.startTime);
    s.stopDate = at(texts.endTime);
    s.downloaded = number(texts.downloaded);
    s.uploaded = number(texts.uploaded);
    s.maxDownloadSpeed = static_cast<std::int32_t>(number(texts.maxDownloadSpeed));
    s.maxUploadSpeed = static_cast<std::int32_t>(number(texts.maxUploadSpeed));
    s.isCurrent = false;
    return s;
}

} // namespace tw
