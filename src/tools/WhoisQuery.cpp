#include "tools/WhoisQuery.h"

#include "common/NumberText.h"

#include <cmath>

namespace tw {

std::optional<std::uint16_t> WhoisQuery::port(std::string_view text) {
    const auto number = parseNumber(text);
    if (!number || text.size() >= 5 || *number != std::floor(*number) || *number < 1 || *number > 65535) {
        return std::nullopt;
    }
    return static_cast<std::uint16_t>(*number);
}

std::string WhoisQuery::line(std::string_view query) {
    std::string out;
    for (const char c : query) {
        if (c != '\r' && c != '\n') {
            out += c;
        }
    }
    return out + "\r\n";
}

std::string WhoisQuery::append(std::string_view piece) {
    if (m_dropping) {
        return {};
    }
    const std::size_t room = kResponseLimit - m_received;
    const bool cut = piece.size() > room;
    if (cut) {
        piece = piece.substr(0, room);
    }
    m_received += piece.size();
    std::string out;
    out.reserve(piece.size());
    for (const char c : piece) {
        // A line feed ends a line whether or not a carriage return comes before it.
        if (c != '\r') {
            out += c;
        }
    }
    if (cut) {
        m_dropping = true;
        out += "\n[The answer is longer than 1 MiB; the rest was dropped.]\n";
    }
    return out;
}

} // namespace tw
