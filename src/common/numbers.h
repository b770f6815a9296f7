// Numbers as the language sees them: strict 32-bit integer texts, wrapping integer
// arithmetic, floats rounded to the 6-byte real format of the float store, and the
// general float text form with 15 significant digits and a chosen decimal separator.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace vokc {

// Largest magnitude of the 6-byte real format: (2 - 2^-39) * 2^126.
extern const long double kReal48Max;

// Parses an optional sign followed by decimal digits, within the 32-bit range.
// Nothing else is accepted: no blanks, no other base.
bool ParseInt(std::string_view text, std::int32_t& out);

// Parses [sign] digits [sep digits] [E|e [sign] digits] (at least one mantissa digit).
// The result is the exact nearest long double; it is not rounded to the store format.
bool ParseFloat(std::string_view text, char separator, long double& out);

// Rounds to the 6-byte real format: 40 significant bits, to nearest, halves away from
// zero; magnitudes below 2^-128 become 0. Returns false on overflow, NaN or infinity.
bool RoundReal48(long double value, long double& out);

// ParseFloat followed by RoundReal48.
bool ParseReal48(std::string_view text, char separator, long double& out);

// Rounds to the nearest integer, halves to even (the rounding of the FPU's default mode).
long double RoundHalfEven(long double value);

// Wrapping arithmetic on 32-bit integers.
inline std::int32_t WrapAdd(std::int32_t a, std::int32_t b) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) + static_cast<std::uint32_t>(b));
}
inline std::int32_t WrapSub(std::int32_t a, std::int32_t b) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) - static_cast<std::uint32_t>(b));
}
inline std::int32_t WrapMul(std::int32_t a, std::int32_t b) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) * static_cast<std::uint32_t>(b));
}

// Fixed buffers for number texts; the view returned points into the buffer.
struct NumberBuffer {
    char data[64];
};
std::string_view FormatInt(std::int32_t value, NumberBuffer& buf);
// General format: the value rounded to `digits` significant digits (1 to 15), no
// trailing zeros, plain notation for magnitudes from 1E-4 to below 1E15, otherwise
// mantissa, E and exponent (1E15, 1,5E-5). Zero, infinities and NaN give "0".
std::string_view FormatFloat(long double value, char separator, NumberBuffer& buf, int digits = 15);

} // namespace vokc
