#include "search/QueryAnchor.h"

#include "framework/portable/Utf8.h"
#include "search/Fold.h"
#include "search/VectorLevel.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <numeric>
#include <string>

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

// What the scan looks for of one character of the folded query, over the
// bytes of each character that folds to it: the last byte of every form,
// with the bits where they differ set; the form in ASCII, with its case bit
// set, where there is one (the scan lets every byte beyond ASCII pass
// beside the anchor).
struct CRawForms {
    char chLast = 0;
    char chLastMask = 0;
    char chAscii = static_cast<char>(0x80);  // none: any byte beyond ASCII

    explicit CRawForms(const std::vector<std::string>& forms)
    {
        const char chLastOfFirst = forms.front().back();
        for (const std::string& form : forms) {
            chLastMask |= form.back() ^ chLastOfFirst;
            if (form.size() == 1 && (form[0] & 0x80) == 0)
                chAscii = form[0] | kCaseBit;
        }
        chLast = chLastOfFirst | chLastMask;
    }
};

// The raw forms of the query's unit nIndex: in UTF-8 every character that
// folds to it; in an ANSI code page every byte that does, but a byte of a
// character of two bytes, which stands as it is.
std::vector<std::string> RawFormsOf(const std::vector<char32_t>& query, std::size_t nIndex, const CListCoding& coding)
{
    std::vector<std::string> forms;
    if (coding.IsUtf8()) {
        for (const char32_t c : CaseVariantsOf(query[nIndex])) {
            char bytes[4];
            forms.emplace_back(bytes, EncodeUtf8(c, bytes));
        }
        return forms;
    }
    for (std::size_t i = 0, n = 1; i <= nIndex; i += n) {
        n = coding.IsLead(static_cast<unsigned char>(query[i])) && i + 1 < query.size() ? 2 : 1;
        if (n == 2 && nIndex < i + n)
            return {std::string(1, static_cast<char>(query[nIndex]))};
    }
    for (unsigned ch = 0; ch < 256; ++ch) {
        if (coding.FoldByte(static_cast<unsigned char>(ch)) == query[nIndex])
            forms.emplace_back(1, static_cast<char>(ch));
    }
    return forms;
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

}  // namespace

CQueryAnchor::CQueryAnchor(const std::vector<char32_t>& query, std::size_t nIndex, const CListCoding& coding)
    : m_nIndex(nIndex)
{
    const CRawForms anchor(RawFormsOf(query, nIndex, coding));
    m_bytes.chAnchor = anchor.chLast;
    m_bytes.chAnchorMask = anchor.chLastMask;
    m_bytes.bBefore = nIndex > 0;
    m_bytes.chBefore = m_bytes.bBefore ? CRawForms(RawFormsOf(query, nIndex - 1, coding)).chAscii : 0;
    m_bytes.bAfter = nIndex + 1 < query.size();
    m_bytes.chAfter = m_bytes.bAfter ? CRawForms(RawFormsOf(query, nIndex + 1, coding)).chAscii : 0;
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

CQueryAnchor ChooseAnchor(const std::vector<char32_t>& query, const CListCoding& coding, CListSample& sample)
{
    // Every place of a query typed is tried; a longer text pasted is tried
    // at its rarest bytes.
    constexpr std::size_t kTried = 32;
    std::vector<std::size_t> places(query.size());
    std::iota(places.begin(), places.end(), 0);
    const auto rarity = [&](std::size_t nPlace) {
        return Rarity(CRawForms(RawFormsOf(query, nPlace, coding)).chLast);
    };
    std::stable_sort(places.begin(), places.end(),
                     [&](std::size_t a, std::size_t b) { return rarity(a) > rarity(b); });
    places.resize(std::min(places.size(), kTried));

    std::size_t nBest = places.front();
    std::size_t nFewest = SIZE_MAX;
    for (std::size_t nPlace : places) {
        const CQueryAnchor anchor(query, nPlace, coding);
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
    return CQueryAnchor(query, nBest, coding);
}
