#pragma once

#include <cstdint>
#include <string>

namespace tw {

// Whole byte counts of the history. Sums over a long history pass 2^53 (where doubles stop being exact), so they
// are kept in 128 bits.
__extension__ typedef __int128 WholeBytes;

// A whole byte amount as stored in a session (a double holding a whole number): rounded, non-finite as 0.
WholeBytes wholeBytesFromDouble(double value);
// Plain decimal digits, "-" for negatives.
std::string wholeBytesToString(WholeBytes value);

// An exact statistic of byte amounts: a fraction of whole bytes, so averages and two-value medians keep their
// fraction (an average of 1 and 2 bytes is exactly 1.5).
class ExactAmount {
public:
    ExactAmount() = default;
    ExactAmount(WholeBytes whole) : m_numerator(whole) {} // NOLINT: a whole amount is an exact amount
    static ExactAmount ratio(WholeBytes numerator, std::int64_t denominator);

    WholeBytes numerator() const { return m_numerator; }
    std::int64_t denominator() const { return m_denominator; }
    // Rounded to a whole byte, halves away from zero (as the list and grid show them).
    WholeBytes rounded() const;
    double toDouble() const;

    friend bool operator==(const ExactAmount& a, const ExactAmount& b) {
        return a.m_numerator == b.m_numerator && a.m_denominator == b.m_denominator;
    }

private:
    WholeBytes m_numerator = 0;
    std::int64_t m_denominator = 1; // always > 0, reduced with the numerator
};

// "# ### ### ### ### ##0": the rounded value in groups of three digits separated by spaces.
std::string formatGroupedBytes(const ExactAmount& value);
std::string formatGroupedBytes(WholeBytes value);

} // namespace tw
