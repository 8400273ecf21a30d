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

// Whether the unit at p, after the high surrogate just read, is the low
// surrogate that completes the pair.
inline bool completesPair(const ushort *p, const ushort *end)
{
    return p < end && *p >= 0xDC00 && *p <= 0xDFFF;
}

// The largest array the writer will build.
const qint64 largestArray = 0x7FFFFFF0;

// The exact UTF-8 length of size units, "\n" counted twice with crlf;
// -1 for a lone surrogate.
qint64 encodedLength(const ushort *p, const ushort *end, bool crlf)
{
    qint64 length = 0;
    while (p < end) {
        const uint unit = *p++;
        if (unit < 0x80) {
            length += 1 + (crlf && unit == '\n');
        } else if (unit < 0x800) {
            length += 2;
        } else if (!isSurrogate(unit)) {
            length += 3;
        } else if (unit < 0xDC00 && completesPair(p, end)) {
            length += 4;
            ++p;
        } else {
            return -1;
        }
    }
    return length;
}

} // namespace

namespace {

// Decodes from p towards end into q, p and q advancing. False for bytes
// that are not well-formed UTF-8. When more is to come (!last), it stops
// before a sequence or a "\r" that end cuts off, p left at it.
bool decodeRun(const uchar *&p, const uchar *const end, ushort *&q, int &crlf, bool last)
{
#ifdef __SSE2__
    const __m128i zero = _mm_setzero_si128();
    const __m128i carriageReturn = _mm_set1_epi8('\r');
#endif

    while (p < end) {
        const uchar lead = *p;
        if (lead < 0x80) {
#ifdef __SSE2__
            if (end - p >= 16) {
                // Sixteen bytes widened at once; the output advances over
                // those before the first byte that is not plain ASCII (a
                // "\r" counts as not plain). The output has room: it never
                // runs ahead of the input.
                const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i *>(p));
                const uint stop = uint(_mm_movemask_epi8(chunk)
                                       | _mm_movemask_epi8(_mm_cmpeq_epi8(chunk, carriageReturn)));
                _mm_storeu_si128(reinterpret_cast<__m128i *>(q), _mm_unpacklo_epi8(chunk, zero));
                _mm_storeu_si128(reinterpret_cast<__m128i *>(q + 8), _mm_unpackhi_epi8(chunk, zero));
                const int plain = stop ? __builtin_ctz(stop) : 16;
                p += plain;
                q += plain;
                if (plain > 0)
                    continue;
            }
#endif
            if (lead == '\r' && end - p >= 2 && p[1] == '\n') {
                ++crlf;
                *q++ = '\n';
                p += 2;
                continue;
            }
            if (lead == '\r' && end - p == 1 && !last)
                return true; // its "\n" may come next
            *q++ = lead;
            ++p;
        } else if ((lead & 0xF0) == 0xE0) {
            // Most characters of Chinese text: three bytes.
            if (end - p < 3 && !last)
                return true;
            if (end - p < 3 || !continuation(p[1]) || !continuation(p[2]))
                return false;
            const uint code = ((lead & 0x0Fu) << 12) | ((p[1] & 0x3Fu) << 6) | (p[2] & 0x3Fu);
            if (code < 0x800 || isSurrogate(code))
                return false; // overlong, or a surrogate on its own
            *q++ = ushort(code);
            p += 3;
        } else if (lead >= 0xC2 && lead < 0xE0) {
            if (end - p < 2 && !last)
                return true;
            if (end - p < 2 || !continuation(p[1]))
                return false;
            *q++ = ushort(((lead & 0x1F) << 6) | (p[1] & 0x3F));
            p += 2;
        } else if (lead >= 0xF0 && lead < 0xF5) {
            if (end - p < 4 && !last)
                return true;
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
            return false; // a continuation byte without a lead, an overlong lead, or no lead at all
        }
    }
    return true;
}

} // namespace

bool Utf8Codec::decode(const char *bytes, int size, QString &text, LineEnds *ends)
{
    QString out(qMax(size, 0), Qt::Uninitialized);
    ushort *const begin = reinterpret_cast<ushort *>(out.data());
    ushort *q = begin;
    const uchar *p = reinterpret_cast<const uchar *>(bytes);
    const uchar *const end = p + qMax(size, 0);
    int crlf = 0;
    if (!decodeRun(p, end, q, crlf, true))
        return false;
    out.resize(int(q - begin));
    if (ends) {
        ends->crlf = crlf;
        // Only a text with "\r\n" needs the count of all its line ends.
        ends->lf = crlf > 0 ? int(out.count(QLatin1Char('\n'))) : 0;
    }
    text = std::move(out);
    return true;
}

bool Utf8Codec::decodePiece(const char *bytes, int size, bool last, ushort *out, int &consumed, int &written,
                            int &crlf)
{
    const uchar *p = reinterpret_cast<const uchar *>(bytes);
    ushort *q = out;
    const bool ok = decodeRun(p, p + qMax(size, 0), q, crlf, last);
    consumed = int(p - reinterpret_cast<const uchar *>(bytes));
    written = int(q - out);
    return ok;
}

qint64 Utf8Codec::encodedSize(const QChar *units, int size, bool crlf)
{
    const ushort *p = reinterpret_cast<const ushort *>(units);
    return encodedLength(p, p + qMax(size, 0), crlf);
}

bool Utf8Codec::encode(const QString &text, bool crlf, QByteArray &bytes, const QByteArray &prefix)
{
    return encode(text.constData(), text.size(), crlf, bytes, prefix);
}

bool Utf8Codec::encode(const QChar *units, int size, bool crlf, QByteArray &bytes, const QByteArray &prefix)
{
    const ushort *p = reinterpret_cast<const ushort *>(units);
    const ushort *const end = p + qMax(size, 0);
    // At most three bytes per unit ("\r\n" and a surrogate pair take less).
    // Pages of the array that are never written are never touched, so a
    // mostly ASCII text costs no more memory than its result. Only a text
    // so large that this bound passes the largest array is measured first.
    qint64 room = qint64(prefix.size()) + 3 * qint64(qMax(size, 0));
    if (room > largestArray) {
        const qint64 exact = encodedLength(p, end, crlf);
        if (exact < 0 || prefix.size() + exact > largestArray)
            return false;
        room = prefix.size() + exact;
    }
    QByteArray out(int(room), Qt::Uninitialized);
    uchar *const begin = reinterpret_cast<uchar *>(out.data());
    std::copy(prefix.constBegin(), prefix.constEnd(), begin);
    uchar *q = begin + prefix.size();
#ifdef __SSE2__
    const __m128i zero = _mm_setzero_si128();
    const __m128i high = _mm_set1_epi16(short(0xFF80));
    const __m128i lineFeed = _mm_set1_epi16(crlf ? '\n' : 0x7FFF);
#endif

    while (p < end) {
        const uint unit = *p;
        if (unit < 0x80) {
#ifdef __SSE2__
            if (end - p >= 8) {
                // Eight units narrowed at once; the output advances over
                // those before the first that is not plain ASCII (with
                // crlf, a "\n" counts as not plain). Eight units have room
                // for at least eight bytes.
                const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i *>(p));
                const uint plainMask = uint(_mm_movemask_epi8(_mm_cmpeq_epi16(_mm_and_si128(chunk, high), zero)))
                    & ~uint(_mm_movemask_epi8(_mm_cmpeq_epi16(chunk, lineFeed)));
                _mm_storel_epi64(reinterpret_cast<__m128i *>(q), _mm_packus_epi16(chunk, chunk));
                const int plain = plainMask == 0xFFFF ? 8 : __builtin_ctz(~plainMask) / 2;
                p += plain;
                q += plain;
                if (plain > 0)
                    continue;
            }
#endif
            if (crlf && unit == '\n')
                *q++ = '\r';
            *q++ = uchar(unit);
            ++p;
        } else if (unit >= 0x800 && !isSurrogate(unit)) {
            q[0] = uchar(0xE0 | (unit >> 12));
            q[1] = uchar(0x80 | ((unit >> 6) & 0x3F));
            q[2] = uchar(0x80 | (unit & 0x3F));
            q += 3;
            ++p;
        } else if (unit < 0x800) {
            q[0] = uchar(0xC0 | (unit >> 6));
            q[1] = uchar(0x80 | (unit & 0x3F));
            q += 2;
            ++p;
        } else if (unit < 0xDC00 && completesPair(p + 1, end)) {
            const uint code = 0x10000 + ((unit - 0xD800) << 10) + (p[1] - 0xDC00);
            q[0] = uchar(0xF0 | (code >> 18));
            q[1] = uchar(0x80 | ((code >> 12) & 0x3F));
            q[2] = uchar(0x80 | ((code >> 6) & 0x3F));
            q[3] = uchar(0x80 | (code & 0x3F));
            q += 4;
            p += 2;
        } else {
            return false; // a lone surrogate
        }
    }
    out.resize(int(q - begin));
    bytes = std::move(out);
    return true;
}
