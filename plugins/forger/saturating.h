#ifndef SATURATING_H
#define SATURATING_H

#include <QtGlobal>

// Unsigned arithmetic that sticks at the largest value instead of wrapping,
// for sizes of outputs that may not fit in 64 bits.
namespace Saturating {

constexpr quint64 Max = ~quint64(0);

inline quint64 add(quint64 a, quint64 b)
{
    return a > Max - b ? Max : a + b;
}

inline quint64 mul(quint64 a, quint64 b)
{
    if (a == 0 || b == 0)
        return 0;
    return a > Max / b ? Max : a * b;
}

inline quint64 power(quint64 base, quint64 exponent)
{
    quint64 result = 1;
    for (quint64 i = 0; i < exponent && result != Max; ++i) {
        result = mul(result, base);
        if (result == 0)
            break;
    }
    return result;
}

// n! / (n - k)!; 0 when k > n.
inline quint64 arrangements(quint64 n, quint64 k)
{
    if (k > n)
        return 0;
    quint64 result = 1;
    for (quint64 i = 0; i < k && result != Max; ++i)
        result = mul(result, n - i);
    return result;
}

// n! / (k! (n - k)!); 0 when k > n.
inline quint64 binomial(quint64 n, quint64 k)
{
    if (k > n)
        return 0;
    if (k > n - k)
        k = n - k;
    unsigned __int128 result = 1;
    for (quint64 i = 0; i < k; ++i) {
        // Exact at every step: result holds C(n, i), and C(n, i) (n - i)
        // is a multiple of i + 1.
        result = result * (n - i) / (i + 1);
        if (result > Max)
            return Max; // the sequence only grows up to k <= n / 2
    }
    return quint64(result);
}

} // namespace Saturating

#endif // SATURATING_H
