#include "utf8codec.h"

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace {

inline bool continuation(uchar byte)
{
    return (byte & 0xC0) == 0x80;
}

inline bool isSurrogate(uint code)
{
    return code >= 0xD800 && code <= 0xDFFF;
}

// The largest array the writer will build.
const qint64 largestArray = 0x7FFFFFF0;

} // namespace

bool Utf8Codec::decode(const char *bytes, int size, QString &text, LineEnds *ends)
{
    QString out(qMax(size, 0), Qt::Uninitialized);
    ushort *const begin = reinterpret_cast<ushort *>(out.data());
    ushort *q = begin;
    const uchar *p = reinterpret_cast<const uchar *>(bytes);
    const uchar *const end = p + qMax(size, 0);
    int crlf = 0;
    int lf = 0;

    while (p < end) {
        // Where the byte-at-a-time loop below hands back to the wide one.
        const uchar *scalarEnd = end;
#ifdef __SSE2__
        const __m128i zero = _mm_setzero_si128();
        const __m128i lineFeed = _mm_set1_epi8('\n');
        const __m128i carriageReturn = _mm_set1_epi8('\r');
        while (end - p >= 16) {
            const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i *>(p));
            // A byte with its top bit set, or a "\r", is left to the loop
            // below.
            if (_mm_movemask_epi8(chunk) | _mm_movemask_epi8(_mm_cmpeq_epi8(chunk, carriageReturn)))
                break;
            lf += __builtin_popcount(uint(_mm_movemask_epi8(_mm_cmpeq_epi8(chunk, lineFeed))));
            _mm_storeu_si128(reinterpret_cast<__m128i *>(q), _mm_unpacklo_epi8(chunk, zero));
            _mm_storeu_si128(reinterpret_cast<__m128i *>(q + 8), _mm_unpackhi_epi8(chunk, zero));
            p += 16;
            q += 16;
        }
        if (end - p >= 16)
            scalarEnd = p + 16;
#endif
        while (p < scalarEnd) {
            const uchar lead = *p;
            if (lead < 0x80) {
                if (lead == '\r' && end - p >= 2 && p[1] == '\n') {
                    ++crlf;
                    ++lf;
                    *q++ = '\n';
                    p += 2;
                    continue;
                }
                lf += lead == '\n';
                *q++ = lead;
                ++p;
            } else if (lead < 0xC2) {
                return false; // a continuation byte without a lead, or an overlong two-byte form
            } else if (lead < 0xE0) {
                if (end - p < 2 || !continuation(p[1]))
                    return false;
                *q++ = ushort(((lead & 0x1F) << 6) | (p[1] & 0x3F));
                p += 2;
            } else if (lead < 0xF0) {
                if (end - p < 3 || !continuation(p[1]) || !continuation(p[2]))
                    return false;
                const uint code = ((lead & 0x0Fu) << 12) | ((p[1] & 0x3Fu) << 6) | (p[2] & 0x3Fu);
                if (code < 0x800 || isSurrogate(code))
                    return false;
                *q++ = ushort(code);
                p += 3;
            } else if (lead < 0xF5) {
                if (end - p < 4 || !continuation(p[1]) || !continuation(p[2]) || !continuation(p[3]))
                    return false;
                const uint code = ((lead & 0x07u) << 18) | ((p[1] & 0x3Fu) << 12) | ((p[2] & 0x3Fu) << 6)
                    | (p[3] & 0x3Fu);
                if (code < 0x10000 || code > 0x10FFFF)
                    return false;
                *q++ = ushort(0xD800 + ((code - 0x10000) >> 10));
                *q++ = ushort(0xDC00 + ((code - 0x10000) & 0x3FF));
                p += 4;
            } else {
                return false;
            }
        }
    }
    out.resize(int(q - begin));
    text = std::move(out);
    if (ends) {
        ends->crlf = crlf;
        ends->lf = lf;
    }
    return true;
}

bool Utf8Codec::encode(const QString &text, bool crlf, QByteArray &bytes, const QByteArray &prefix)
{
    const ushort *const begin = reinterpret_cast<const ushort *>(text.constData());
    const ushort *const end = begin + text.size();

    // First the exact length, so the array is allocated once and no larger
    // than it needs to be.
    qint64 length = prefix.size();
    const ushort *p = begin;
    while (p < end) {
#ifdef __SSE2__
        const __m128i zero = _mm_setzero_si128();
        const __m128i high = _mm_set1_epi16(short(0xFF80));
        const __m128i lineFeed = _mm_set1_epi16('\n');
        while (end - p >= 8) {
            const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i *>(p));
            if (_mm_movemask_epi8(_mm_cmpeq_epi16(_mm_and_si128(chunk, high), zero)) != 0xFFFF)
                break;
            length += 8;
            if (crlf)
                length += __builtin_popcount(uint(_mm_movemask_epi8(_mm_cmpeq_epi16(chunk, lineFeed)))) / 2;
            p += 8;
        }
        const ushort *const scalarEnd = end - p >= 8 ? p + 8 : end;
#else
        const ushort *const scalarEnd = end;
#endif
        while (p < scalarEnd) {
            const uint unit = *p++;
            if (unit < 0x80) {
                length += 1 + (crlf && unit == '\n');
            } else if (unit < 0x800) {
                length += 2;
            } else if (!isSurrogate(unit)) {
                length += 3;
            } else if (unit < 0xDC00 && p < end && *p >= 0xDC00 && *p <= 0xDFFF) {
                length += 4;
                ++p;
            } else {
                return false; // a lone surrogate
            }
        }
    }
    if (length > largestArray)
        return false;

    QByteArray out(int(length), Qt::Uninitialized);
    uchar *q = reinterpret_cast<uchar *>(out.data());
    std::copy(prefix.constBegin(), prefix.constEnd(), q);
    q += prefix.size();
    p = begin;
    while (p < end) {
#ifdef __SSE2__
        const __m128i zero = _mm_setzero_si128();
        const __m128i high = _mm_set1_epi16(short(0xFF80));
        const __m128i lineFeed = _mm_set1_epi16('\n');
        while (end - p >= 8) {
            const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i *>(p));
            if (_mm_movemask_epi8(_mm_cmpeq_epi16(_mm_and_si128(chunk, high), zero)) != 0xFFFF)
                break;
            if (crlf && _mm_movemask_epi8(_mm_cmpeq_epi16(chunk, lineFeed)))
                break;
            _mm_storel_epi64(reinterpret_cast<__m128i *>(q), _mm_packus_epi16(chunk, chunk));
            p += 8;
            q += 8;
        }
        const ushort *const scalarEnd = end - p >= 8 ? p + 8 : end;
#else
        const ushort *const scalarEnd = end;
#endif
        while (p < scalarEnd) {
            const uint unit = *p++;
            if (unit < 0x80) {
                if (crlf && unit == '\n')
                    *q++ = '\r';
                *q++ = uchar(unit);
            } else if (unit < 0x800) {
                *q++ = uchar(0xC0 | (unit >> 6));
                *q++ = uchar(0x80 | (unit & 0x3F));
            } else if (!isSurrogate(unit)) {
                *q++ = uchar(0xE0 | (unit >> 12));
                *q++ = uchar(0x80 | ((unit >> 6) & 0x3F));
                *q++ = uchar(0x80 | (unit & 0x3F));
            } else {
                // Checked above: a high surrogate followed by a low one.
                const uint code = 0x10000 + ((unit - 0xD800) << 10) + (*p++ - 0xDC00);
                *q++ = uchar(0xF0 | (code >> 18));
                *q++ = uchar(0x80 | ((code >> 12) & 0x3F));
                *q++ = uchar(0x80 | ((code >> 6) & 0x3F));
                *q++ = uchar(0x80 | (code & 0x3F));
            }
        }
    }
    bytes = std::move(out);
    return true;
}
