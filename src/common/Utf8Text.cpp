#include "common/Utf8Text.h"

#include <cstdint>

namespace tw {

bool isValidUtf8(std::string_view bytes) {
    for (std::size_t i = 0; i < bytes.size();) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        if (lead < 0x80) {
            ++i;
            continue;
        }
        // Length of the sequence, the lead byte's payload bits, and the smallest code point of that length.
        struct Form {
            unsigned char mask;
            unsigned char pattern;
            std::size_t length;
            std::uint32_t minimum;
        };
        static constexpr Form kForms[] = {{0xE0, 0xC0, 2, 0x80}, {0xF0, 0xE0, 3, 0x800}, {0xF8, 0xF0, 4, 0x10000}};
        const Form* form = nullptr;
        for (const Form& f : kForms) {
            if ((lead & f.mask) == f.pattern) {
                form = &f;
            }
        }
        if (form == nullptr) {
            return false;
        }
        const std::size_t length = form->length;
        const std::uint32_t minimum = form->minimum;
        std::uint32_t code = lead & static_cast<unsigned char>(~form->mask);
        if (bytes.size() - i < length) {
            return false;
        }
        for (std::size_t k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(bytes[i + k]);
            if ((next & 0xC0) != 0x80) {
                return false;
            }
            code = (code << 6) | (next & 0x3Fu);
        }
        if (code < minimum || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
            return false;
        }
        i += length;
    }
    return true;
}

std::string latin1ToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 8);
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            out += c;
        } else {
            out += static_cast<char>(0xC0 | (byte >> 6));
            out += static_cast<char>(0x80 | (byte & 0x3F));
        }
    }
    return out;
}

std::string utf8OrLatin1(std::string_view bytes) {
    return isValidUtf8(bytes) ? std::string(bytes) : latin1ToUtf8(bytes);
}

} // namespace tw
