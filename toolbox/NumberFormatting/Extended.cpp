// The 80-bit extended format, built from and read into long double arithmetically so
// the layout does not depend on how this machine stores its own long double.
#include "tb/NumberFormatting.h"

#include <cmath>
#include <cstdint>

namespace tb {

void longDoubleToX80(long double value, extended80* x80) {
    if (!x80) return;
    UInt16 sign = std::signbit(value) ? 0x8000 : 0;
    std::uint64_t mantissa = 0;
    UInt16 exponent = 0;
    if (std::isnan(value)) {
        exponent = 0x7FFF;
        mantissa = 0xC000000000000000ull;
    } else if (std::isinf(value)) {
        exponent = 0x7FFF;
        mantissa = 0x8000000000000000ull;
    } else if (value != 0) {
        int e = 0;
        long double m = std::frexp(std::fabs(value), &e); // m in [0.5, 1)
        int biased = e - 1 + 16383;
        if (biased <= 0) { // denormal in extended: shift the mantissa down
            m = std::ldexp(m, biased - 1);
            biased = 0;
        }
        mantissa = static_cast<std::uint64_t>(std::ldexp(m, 64));
        exponent = static_cast<UInt16>(biased);
    }
    x80->exp = static_cast<UInt16>(sign | exponent);
    for (int i = 0; i < 4; ++i) x80->man[i] = static_cast<UInt16>(mantissa >> (48 - 16 * i));
}

long double x80ToLongDouble(const extended80* x80) {
    if (!x80) return 0;
    std::uint64_t mantissa = 0;
    for (int i = 0; i < 4; ++i) mantissa = (mantissa << 16) | x80->man[i];
    int exponent = x80->exp & 0x7FFF;
    bool negative = (x80->exp & 0x8000) != 0;
    long double value;
    if (exponent == 0x7FFF) {
        value = (mantissa << 1) == 0 ? INFINITY : NAN;
    } else {
        int e = exponent == 0 ? 1 - 16383 : exponent - 16383;
        value = std::ldexp(static_cast<long double>(mantissa), e - 63);
    }
    return negative ? -value : value;
}

} // namespace tb

void dtox80(const double* x, extended80* x80) {
    if (x) tb::longDoubleToX80(*x, x80);
}

double x80tod(const extended80* x80) { return static_cast<double>(tb::x80ToLongDouble(x80)); }
