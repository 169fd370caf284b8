#include "search/QueryAnchor.h"

#include "framework/portable/ByteBuffer.h"
#include "search/Fold.h"
#include "search/VectorLevel.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <numeric>
#include <vector>

namespace {

// The neighbours' test (AnchorScan.h) lets every byte up to the colon pass
// for the dropped characters.
constexpr bool DroppedCharactersLieFromSpaceToColon()
{
    for (char ch : kDroppedCharacters) {
        if (ch < ' ' || ch > ':')
            return false;
    }
    return true;
}
static_assert(DroppedCharactersLieFromSpaceToColon());

// Bytes of journal lists from the commonest to the rarest (counted on the
// CC0 collection), each as the scan sees it, with its case bit set: 'A' as
// 'a', '[' as '{', '_' as DEL. Bytes not listed are rarer still. '-' comes
// first: the scan sees the CR that ends every line of a CR LF file as one.
const char kCommonestFirst[] = "-eaionrtsclmuhdpgyfbjvkwzxq()'/1#{}92;038|5\"476$`+>?~<!";

std::size_t Rarity(char ch)
{
    const char* pch = std::strchr(kCommonestFirst, ch | kCaseBit);
    return ch != 0 && pch ? static_cast<std::size_t>(pch - kCommonestFirst) : sizeof kCommonestFirst;
}

// A place at either end of a run, where a neighbour is missing: taken as a
// line end, which may stand next to any anchor; the check of the line then
// decides. True when the place is a candidate, then the one found.
bool FindCandidateAtEdge(const CAnchorBytes& anchor, const char* pchBegin, const char* pch, const char* pchEnd,
                         CCandidates& found)
{
    const char around[3] = {pch > pchBegin ? pch[-1] : '\n', *pch, pchEnd - pch > 1 ? pch[1] : '\n'};
    if (CandidateMask<CScalarLanes>(anchor, around + 1) == 0)
        return false;
    found.apch[found.nCount++] = pch;
    found.pchResume = pch + 1;
    return true;
}

// Up to kSlices slices spread evenly over the file, each read whole; a file
// no larger than the sample is one slice.
class CSample {
public:
    static constexpr std::size_t kSlices = 8;

    explicit CSample(CStdioFile& file)
    {
        const std::uint64_t nLength = file.GetLength();
        m_nSliceBytes = static_cast<std::size_t>(std::clamp<std::uint64_t>(nLength / 512, 4096, 16384));
        if (nLength <= kSlices * m_nSliceBytes) {
            m_nSlices = 1;
            m_nSliceBytes = static_cast<std::size_t>(nLength);
        }
        m_bytes.Grow(m_nSlices * m_nSliceBytes);
        for (std::size_t i = 0; i < m_nSlices; ++i) {
            const std::uint64_t nOffset = m_nSlices == 1 ? 0 : (nLength - m_nSliceBytes) * i / (m_nSlices - 1);
            m_anRead[i] = file.ReadAt(nOffset, m_bytes.Data() + i * m_nSliceBytes, m_nSliceBytes);
        }
    }

    std::size_t Slices() const { return m_nSlices; }
    const char* Slice(std::size_t i) { return m_bytes.Data() + i * m_nSliceBytes; }
    const char* SliceEnd(std::size_t i) { return Slice(i) + m_anRead[i]; }

private:
    std::size_t m_nSlices = kSlices;
    std::size_t m_nSliceBytes;
    std::array<std::size_t, kSlices> m_anRead{};
    CByteBuffer m_bytes;
};

}  // namespace

CQueryAnchor::CQueryAnchor(const CString& strFoldedQuery, std::size_t nIndex) : m_nIndex(nIndex)
{
    const std::size_t nLength = strFoldedQuery.GetLength();
    m_bytes.chAnchor = strFoldedQuery[nIndex] | kCaseBit;
    m_bytes.bBefore = nIndex > 0;
    m_bytes.chBefore = m_bytes.bBefore ? strFoldedQuery[nIndex - 1] | kCaseBit : 0;
    m_bytes.bAfter = nIndex + 1 < nLength;
    m_bytes.chAfter = m_bytes.bAfter ? strFoldedQuery[nIndex + 1] | kCaseBit : 0;
}

void CQueryAnchor::FindCandidates(const char* pchBegin, const char* pch, const char* pchEnd,
                                  CCandidates& found) const
{
    found.nCount = 0;
    found.pchResume = pchEnd;
    // The steps read a byte before and after each place: the run's first
    // and last places are tested alone.
    if (pch == pchBegin && pch < pchEnd) {
        if (FindCandidateAtEdge(m_bytes, pchBegin, pch, pchEnd, found))
            return;
        ++pch;
    }
#if defined(__SSE2__)
    const VectorLevel level = CurrentVectorLevel();
    if (level == VectorLevel::Avx2)
        pch = FindCandidatesAvx2(m_bytes, pch, pchEnd, found);
    else if (level == VectorLevel::Sse2)
        pch = FindCandidatesIn<CSse2Lanes>(m_bytes, pch, pchEnd, found);
#endif
    if (found.nCount == 0)
        pch = FindCandidatesIn<CScalarLanes>(m_bytes, pch, pchEnd, found);
    if (found.nCount == 0 && pch < pchEnd)
        FindCandidateAtEdge(m_bytes, pchBegin, pch, pchEnd, found);
}

CQueryAnchor ChooseAnchor(const CString& strFoldedQuery, CStdioFile& file)
{
    // Every place of a query typed is tried; a longer text pasted is tried
    // at its rarest bytes.
    constexpr std::size_t kTried = 32;
    std::vector<std::size_t> places(strFoldedQuery.GetLength());
    std::iota(places.begin(), places.end(), 0);
    std::stable_sort(places.begin(), places.end(), [&](std::size_t a, std::size_t b) {
        return Rarity(strFoldedQuery[a]) > Rarity(strFoldedQuery[b]);
    });
    places.resize(std::min(places.size(), kTried));

    CSample sample(file);
    std::size_t nBest = places.front();
    std::size_t nFewest = SIZE_MAX;
    for (std::size_t nPlace : places) {
        const CQueryAnchor anchor(strFoldedQuery, nPlace);
        std::size_t nCandidates = 0;
        CCandidates found;
        for (std::size_t i = 0; i < sample.Slices() && nCandidates < nFewest; ++i) {
            for (const char* pch = sample.Slice(i); pch < sample.SliceEnd(i); pch = found.pchResume) {
                anchor.FindCandidates(sample.Slice(i), pch, sample.SliceEnd(i), found);
                nCandidates += found.nCount;
            }
        }
        if (nCandidates < nFewest) {
            nFewest = nCandidates;
            nBest = nPlace;
        }
    }
    return CQueryAnchor(strFoldedQuery, nBest);
}
