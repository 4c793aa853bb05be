#include "tools/WhoisQuery.h"

#include "common/NumberText.h"
#include "common/Utf8Text.h"

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
        if (c == '\n') {
            out += utf8OrLatin1(m_partialLine) + '\n';
            m_partialLine.clear();
        } else if (c != '\r') {
            m_partialLine += c;
        }
    }
    if (cut) {
        out += finish();
        m_dropping = true;
        out += "\n[The answer is longer than 1 MiB; the rest was dropped.]\n";
    }
    return out;
}

std::string WhoisQuery::finish() {
    std::string out = utf8OrLatin1(m_partialLine);
    m_partialLine.clear();
    return out;
}

} // namespace tw
