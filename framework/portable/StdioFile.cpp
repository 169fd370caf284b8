#include "framework/portable/StdioFile.h"

#include "framework/portable/BytePacking.h"

#include <cstring>
#include <string>

namespace {

// Position of the last LF in [pch, pch + n), or n.
std::size_t FindLastLineFeed(const char* pch, std::size_t n)
{
    for (std::size_t i = n; i > 0; --i) {
        if (pch[i - 1] == '\n')
            return i - 1;
    }
    return n;
}

std::size_t DropCarriageReturnsScalar(char* pch, std::size_t n, std::size_t nOut, std::size_t i)
{
    for (; i < n; ++i) {
        pch[nOut] = pch[i];
        nOut += !(pch[i] == '\r' && i + 1 < n && pch[i + 1] == '\n');
    }
    return nOut;
}

#if defined(__SSE2__)

// Sixteen bytes a step, packed by byte shuffles. The packed bytes land at
// or before those still to be read, so the work is done in place.
__attribute__((target("ssse3"))) std::size_t DropCarriageReturnsSsse3(char* pch, std::size_t n)
{
    const __m128i cr = _mm_set1_epi8('\r');
    const __m128i lf = _mm_set1_epi8('\n');
    std::size_t nOut = 0;
    std::size_t i = 0;
    for (; i + 17 <= n; i += 16) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(pch + i));
        const __m128i next = _mm_loadu_si128(reinterpret_cast<const __m128i*>(pch + i + 1));
        const unsigned nCrLf =
            static_cast<unsigned>(_mm_movemask_epi8(_mm_and_si128(_mm_cmpeq_epi8(bytes, cr), _mm_cmpeq_epi8(next, lf))));
        nOut += PackKeptBytes(bytes, ~nCrLf & 0xFFFF, pch + nOut);
    }
    return DropCarriageReturnsScalar(pch, n, nOut, i);
}

#endif

// Drops every CR that stands right before an LF; returns the new length.
std::size_t DropCarriageReturns(char* pch, std::size_t n)
{
#if defined(__SSE2__)
    if (CanPackBytes())
        return DropCarriageReturnsSsse3(pch, n);
#endif
    return DropCarriageReturnsScalar(pch, n, 0, 0);
}

}  // namespace

void CStdioFile::SeekToBegin()
{
    m_file.SeekToBegin();
    m_nKeepFrom = m_nKeepTo = 0;
    m_bAtEnd = false;
}

bool CStdioFile::ReadLines(const char*& pchBegin, const char*& pchEnd)
{
    // Bring the unfinished line to the front; an extra byte leaves room for
    // the LF a last line may need.
    std::size_t nFilled = m_nKeepTo - m_nKeepFrom;
    m_buffer.Grow(m_nBlockSize + 1);
    std::memmove(m_buffer.Data(), m_buffer.Data() + m_nKeepFrom, nFilled);
    m_nKeepFrom = m_nKeepTo = 0;

    for (;;) {
        std::size_t nSearchFrom = nFilled;
        if (!m_bAtEnd) {
            if (nFilled + 1 == m_buffer.Size())
                m_buffer.Grow(2 * m_buffer.Size());  // one line longer than the buffer
            const std::size_t nWanted = m_buffer.Size() - 1 - nFilled;
            const std::size_t nRead = m_file.Read(m_buffer.Data() + nFilled, nWanted);
            m_bAtEnd = nRead < nWanted;
            nFilled += nRead;
        }
        char* const pch = m_buffer.Data();
        const std::size_t nLastLf = FindLastLineFeed(pch + nSearchFrom, nFilled - nSearchFrom) + nSearchFrom;
        if (nLastLf < nFilled) {
            m_nKeepFrom = nLastLf + 1;
            m_nKeepTo = nFilled;
            pchBegin = pch;
            pchEnd = pch + DropCarriageReturns(pch, nLastLf + 1);
            return true;
        }
        if (m_bAtEnd) {
            if (nFilled == 0)
                return false;
            pch[nFilled] = '\n';
            pchBegin = pch;
            pchEnd = pch + nFilled + 1;
            return true;
        }
    }
}

void CStdioFile::WriteString(const CString& strText)
{
    std::string text;
    text.reserve(strText.GetLength() + strText.GetLength() / 16);
    for (std::size_t i = 0; i < strText.GetLength(); ++i) {
        if (strText[i] == '\n')
            text += '\r';
        text += strText[i];
    }
    m_file.Write(text.data(), text.size());
}
