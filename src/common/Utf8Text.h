#pragma once

#include <string>
#include <string_view>

namespace tw {

// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF, no cut sequence.
bool isValidUtf8(std::string_view bytes);
// Every byte is the character of the same number.
std::string latin1ToUtf8(std::string_view bytes);
// Text from a source that names no encoding: UTF-8 where the bytes are valid UTF-8, else Latin-1. Always valid UTF-8.
std::string utf8OrLatin1(std::string_view bytes);

} // namespace tw
