#include "framework/StdioFile.h"

#include <cstring>
#include <string>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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

// Drops every CR that stands right before an LF; returns the new length.
std::size_t DropCarriageReturns(char* pch, std::size_t n)
{
    std::size_t nOut = 0;
    std::size_t i = 0;
#if defined(__SSE2__)
    // Sixteen bytes a step: copied whole where they hold no CR LF, in two
    // overlapping pieces around the one a line end usually brings, once
    // enough CRs have gone that the second piece lands on bytes already read.
    const __m128i cr = _mm_set1_epi8('\r');
    const __m128i lf = _mm_set1_epi8('\n');
    for (; i + 32 <= n; i += 16) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(pch + i));
        const __m128i next = _mm_loadu_si128(reinterpret_cast<const __m128i*>(pch + i + 1));
        const unsigned nCrLf =
            static_cast<unsigned>(_mm_movemask_epi8(_mm_and_si128(_mm_cmpeq_epi8(bytes, cr), _mm_cmpeq_epi8(next, lf))));
        if (nCrLf == 0) {
            _mm_storeu_si128(reinterpret_cast<__m128i*>(pch + nOut), bytes);
            nOut += 16;
        } else if ((nCrLf & (nCrLf - 1)) == 0 && nOut + __builtin_ctz(nCrLf) <= i) {
            const unsigned nCr = static_cast<unsigned>(__builtin_ctz(nCrLf));
            const __m128i after = _mm_loadu_si128(reinterpret_cast<const __m128i*>(pch + i + nCr + 1));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(pch + nOut), bytes);
            _mm_storeu_si128(reinterpret_cast<__m128i*>(pch + nOut + nCr), after);
            nOut += 15;
        } else {
            for (unsigned j = 0; j < 16; ++j) {
                pch[nOut] = pch[i + j];
                nOut += ~nCrLf >> j & 1;
            }
        }
    }
#endif
    for (; i < n; ++i) {
        pch[nOut] = pch[i];
        nOut += !(pch[i] == '\r' && i + 1 < n && pch[i + 1] == '\n');
    }
    return nOut;
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
