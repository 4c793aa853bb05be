#include "measure/IpPattern.h"

#include <array>
#include <cstddef>

namespace tw {

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Matches one character against the bracket list starting after '['; sets `next` past the closing ']'.
// An unclosed bracket is taken literally.
bool matchBracket(char c, std::string_view pattern, std::size_t open, std::size_t& next, bool& literal) {
    std::size_t i = open + 1;
    bool negate = false;
    if (i < pattern.size() && pattern[i] == '!') {
        negate = true;
        ++i;
    }
    bool found = false;
    const std::size_t first = i;
    while (i < pattern.size() && (pattern[i] != ']' || i == first)) {
        if (i + 2 < pattern.size() && pattern[i + 1] == '-' && pattern[i + 2] != ']') {
            found = found || (c >= pattern[i] && c <= pattern[i + 2]);
            i += 3;
        } else {
            found = found || c == pattern[i];
            ++i;
        }
    }
    if (i >= pattern.size()) {
        literal = true;
        next = open + 1;
        return c == '[';
    }
    literal = false;
    next = i + 1;
    return found != negate;
}

// Splits at every '.'; false unless there are exactly four parts.
bool splitFour(std::string_view text, std::array<std::string_view, 4>& parts) {
    std::size_t count = 0;
    std::size_t start = 0;
    for (;;) {
        const std::size_t dot = text.find('.', start);
        if (count == parts.size()) {
            return false;
        }
        parts[count++] = text.substr(start, dot == std::string_view::npos ? std::string_view::npos : dot - start);
        if (dot == std::string_view::npos) {
            break;
        }
        start = dot + 1;
    }
    return count == parts.size();
}

} // namespace

bool likeMatch(std::string_view text, std::string_view pattern) {
    std::size_t t = 0;
    std::size_t p = 0;
    // Backtracking point of the last '*': where it stood in the pattern and how much text it has swallowed.
    std::size_t starP = std::string_view::npos;
    std::size_t starT = 0;
    while (t < text.size()) {
        if (p < pattern.size() && pattern[p] == '*') {
            starP = p++;
            starT = t;
            continue;
        }
        bool ok = false;
        std::size_t nextP = p + 1;
        if (p < pattern.size()) {
            const char pc = pattern[p];
            if (pc == '?') {
                ok = true;
            } else if (pc == '#') {
                ok = isDigit(text[t]);
            } else if (pc == '[') {
                bool literal = false;
                ok = matchBracket(text[t], pattern, p, nextP, literal);
            } else {
                ok = pc == text[t];
            }
        }
        if (ok) {
            ++t;
            p = nextP;
        } else if (starP != std::string_view::npos) {
            p = starP + 1;
            t = ++starT;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') {
        ++p;
    }
    return p == pattern.size();
}

bool matchesIpRange(std::string_view address, std::string_view pattern) {
    std::array<std::string_view, 4> addressParts;
    std::array<std::string_view, 4> patternParts;
    if (!splitFour(address, addressParts) || !splitFour(pattern, patternParts)) {
        return false;
    }
    for (std::size_t i = 0; i < 4; ++i) {
        if (patternParts[i] != "*" && !likeMatch(addressParts[i], patternParts[i])) {
            return false;
        }
    }
    return true;
}

bool isValidIpPattern(std::string_view text) {
    std::array<std::string_view, 4> parts;
    if (!splitFour(text, parts)) {
        return false;
    }
    for (std::string_view part : parts) {
        if (part == "*") {
            continue;
        }
        if (part.empty() || part.size() > 3) {
            return false;
        }
        int value = 0;
        for (char c : part) {
            if (!isDigit(c)) {
                return false;
            }
            value = value * 10 + (c - '0');
        }
        if (value > 255) {
            return false;
        }
    }
    return true;
}

} // namespace tw
