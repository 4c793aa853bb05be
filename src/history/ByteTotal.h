#pragma once

#include <string>
#include <string_view>

namespace tw {

// An exact sum of whole byte amounts that cannot overflow: 128 bits for any real history, a decimal digit string
// for whatever a hand-edited file adds beyond that.
class ByteTotal {
public:
    // Adds one amount of the history file: `written` is its text there; plain digits count exactly as written,
    // however many, any other form (an exponent, a fraction) as `value` rounded to a whole number of bytes.
    void add(double value, std::string_view written);
    void add(const ByteTotal& other);

    // Plain decimal digits.
    std::string toString() const;
    // The nearest double; the largest finite one beyond its range.
    double toDouble() const;

private:
    void addDigits(std::string_view digits);

    __extension__ typedef unsigned __int128 Small;
    Small m_small = 0;
    std::string m_large; // decimal digits, most significant first; empty for 0
};

} // namespace tw
