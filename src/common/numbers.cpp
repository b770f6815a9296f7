// Number texts and the 6-byte real format.
#include "numbers.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace vokc {

const long double kReal48Max = std::ldexp(2.0L - std::ldexp(1.0L, -39), 126);

bool ParseInt(std::string_view text, std::int32_t& out) {
    if (text.empty()) return false;
    std::size_t i = 0;
    bool negative = false;
    if (text[0] == '+' || text[0] == '-') {
        negative = text[0] == '-';
        i = 1;
    }
    if (i == text.size()) return false;
    std::int64_t value = 0;
    for (; i < text.size(); ++i) {
        char c = text[i];
        if (c < '0' || c > '9') return false;
        value = value * 10 + (c - '0');
        if (value > 2147483648LL) return false;
    }
    if (negative) value = -value;
    if (value > 2147483647LL) return false;
    out = static_cast<std::int32_t>(value);
    return true;
}

bool ParseFloat(std::string_view text, char separator, long double& out) {
    // Checks the shape first, then lets from_chars convert a copy that uses '.'.
    char buf[128];
    std::size_t n = 0;
    std::size_t i = 0;
    auto put = [&](char c) {
        if (n >= sizeof buf - 1) return false;
        buf[n++] = c;
        return true;
    };
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    std::size_t digits = 0;
    // Leading zeros are dropped so that long texts of zeros still fit the buffer.
    bool seenNonZero = false;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i, ++digits) {
        if (text[i] != '0') seenNonZero = true;
        if (seenNonZero && !put(text[i])) return false;
    }
    if (!seenNonZero && !put('0')) return false;
    if (i < text.size() && text[i] == separator) {
        ++i;
        if (!put('.')) return false;
        for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i, ++digits)
            if (!put(text[i])) return false;
    }
    if (digits == 0) return false;
    if (i < text.size() && (text[i] == 'E' || text[i] == 'e')) {
        ++i;
        if (!put('e')) return false;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
            if (!put(text[i])) return false;
            ++i;
        }
        std::size_t expDigits = 0;
        for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i, ++expDigits)
            if (!put(text[i])) return false;
        if (expDigits == 0) return false;
    }
    if (i != text.size()) return false;
    long double value = 0;
    auto res = std::from_chars(buf, buf + n, value);
    if (res.ptr != buf + n) {
        // Out of range: from_chars reports it; the caller sees an overflow below.
        if (res.ec != std::errc::result_out_of_range) return false;
        value = HUGE_VALL;
    }
    out = negative ? -value : value;
    return true;
}

bool RoundReal48(long double value, long double& out) {
    if (std::isnan(value) || std::isinf(value)) return false;
    if (value == 0) {
        out = 0;
        return true;
    }
    int exp = 0;
    long double mant = std::frexp(std::fabs(value), &exp); // [0.5, 1)
    long double scaled = std::ldexp(mant, 40);             // [2^39, 2^40)
    long double whole = std::floor(scaled);
    if (scaled - whole >= 0.5L) whole += 1; // halves away from zero (on the magnitude)
    long double magnitude = std::ldexp(whole, exp - 40);
    if (magnitude > kReal48Max) return false;
    if (magnitude < std::ldexp(1.0L, -128)) magnitude = 0;
    out = value < 0 ? -magnitude : magnitude;
    return true;
}

bool ParseReal48(std::string_view text, char separator, long double& out) {
    long double v = 0;
    return ParseFloat(text, separator, v) && RoundReal48(v, out);
}

long double RoundHalfEven(long double value) {
    long double whole = std::floor(value);
    long double diff = value - whole;
    if (diff > 0.5L) return whole + 1;
    if (diff < 0.5L) return whole;
    return std::fmod(whole, 2.0L) == 0 ? whole : whole + 1;
}

std::string_view FormatInt(std::int32_t value, NumberBuffer& buf) {
    auto res = std::to_chars(buf.data, buf.data + sizeof buf.data, value);
    return std::string_view(buf.data, static_cast<std::size_t>(res.ptr - buf.data));
}

std::string_view FormatFloat(long double value, char separator, NumberBuffer& buf, int digits) {
    if (value == 0 || std::isnan(value) || std::isinf(value)) {
        buf.data[0] = '0';
        return std::string_view(buf.data, 1);
    }
    // The significant digits, correctly rounded, as d.dddde±XX.
    digits = digits < 1 ? 1 : digits > 15 ? 15 : digits;
    char sci[48];
    int len = std::snprintf(sci, sizeof sci, "%.*Le", digits - 1, value);
    if (len <= 0 || len >= static_cast<int>(sizeof sci)) {
        buf.data[0] = '0';
        return std::string_view(buf.data, 1);
    }
    const char* p = sci;
    bool negative = false;
    if (*p == '-') {
        negative = true;
        ++p;
    }
    char mantissa[16];
    int nd = 0;
    for (; *p && *p != 'e'; ++p)
        if (*p >= '0' && *p <= '9' && nd < digits) mantissa[nd++] = *p;
    int exponent = 0;
    if (*p == 'e') exponent = std::atoi(p + 1);
    while (nd > 1 && mantissa[nd - 1] == '0')
        --nd;

    std::size_t n = 0;
    char* out = buf.data;
    if (negative) out[n++] = '-';
    if (exponent >= -4 && exponent < 15) {
        if (exponent < 0) {
            out[n++] = '0';
            out[n++] = separator;
            for (int z = -1; z > exponent; --z)
                out[n++] = '0';
            for (int d = 0; d < nd; ++d)
                out[n++] = mantissa[d];
        } else {
            for (int d = 0; d <= exponent; ++d)
                out[n++] = d < nd ? mantissa[d] : '0';
            if (nd > exponent + 1) {
                out[n++] = separator;
                for (int d = exponent + 1; d < nd; ++d)
                    out[n++] = mantissa[d];
            }
        }
    } else {
        out[n++] = mantissa[0];
        if (nd > 1) {
            out[n++] = separator;
            for (int d = 1; d < nd; ++d)
                out[n++] = mantissa[d];
        }
        out[n++] = 'E';
        auto res = std::to_chars(out + n, buf.data + sizeof buf.data, exponent);
        n = static_cast<std::size_t>(res.ptr - buf.data);
    }
    return std::string_view(buf.data, n);
}

} // namespace vokc
