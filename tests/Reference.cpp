#include "tests/Reference.h"

#include "framework/portable/LineEnds.h"
#include "framework/portable/Utf8.h"
#include "search/CaseFold.h"

#include <algorithm>
#include <regex>

namespace {

// A text as its characters, a unit each: in UTF-8 each well-formed
// sequence as its code point (a byte that is none as itself, past the code
// points); in a code page each byte, or a lead byte and the byte after it
// as one unit, past the bytes. Each is folded by the one rule of case.
using CCharacters = std::u32string;
constexpr char32_t kNoUtf8 = 0x110000;
constexpr char32_t kPair = 0x100;

CCharacters FoldedCharactersOf(const std::string& text, const CListCoding& coding)
{
    const auto* const pch = reinterpret_cast<const unsigned char*>(text.data());
    CCharacters characters;
    for (std::size_t i = 0, n = 1; i < text.size(); i += n) {
        n = 1;
        if (coding.IsUtf8()) {
            const char32_t c = DecodeUtf8At(pch + i, text.size() - i, n);
            characters += n ? FoldCase(c) : kNoUtf8 + pch[i];
            n = std::max<std::size_t>(n, 1);
        } else if (i + 1 < text.size() && coding.IsLead(pch[i])) {
            characters += kPair * pch[i] + pch[i + 1] + kPair;
            n = 2;
        } else {
            characters += coding.FoldByte(pch[i]);
        }
    }
    return characters;
}

CCharacters Fold(const std::string& text, const std::string& removed, const CListCoding& coding)
{
    const CCharacters lower = FoldedCharactersOf(text, coding);
    CCharacters withoutAnd;
    for (std::size_t i = 0; i < lower.size(); ++i) {
        if (lower.compare(i, 3, U"and") == 0)
            i += 2;
        else
            withoutAnd += lower[i];
    }
    CCharacters folded;
    std::copy_if(withoutAnd.begin(), withoutAnd.end(), std::back_inserter(folded),
                 [&](char32_t ch) { return ch >= 0x80 || removed.find(static_cast<char>(ch)) == std::string::npos; });
    return folded;
}

// The length in bytes of a folded text, in the coding.
std::size_t BytesOf(const CCharacters& characters, const CListCoding& coding)
{
    std::size_t nBytes = 0;
    for (const char32_t ch : characters)
        nBytes += !coding.IsUtf8() ? (ch >= kPair ? 2 : 1)
                  : ch < 0x80 || ch >= kNoUtf8 ? 1 : ch < 0x800 ? 2 : ch < 0x10000 ? 3 : 4;
    return nBytes;
}

// The bytes of a query folded in the coding, as its length counts them.
std::size_t FoldedQueryLength(const std::string& text, const CListCoding& coding)
{
    return BytesOf(Fold(text, " \t.,:&", coding), coding);
}

bool IsWellFormedUtf8(const std::string& bytes)
{
    return Utf8FormOf(bytes.data(), bytes.data() + bytes.size()) != Utf8Form::NotUtf8;
}

}  // namespace

CReferenceFile::CReferenceFile(const std::string& fileBytes, const CListCoding& ansi)
    : m_coding(IsWellFormedUtf8(fileBytes) && std::any_of(fileBytes.begin(), fileBytes.end(), [](char ch) { return ch & 0x80; })
                   ? CListCoding::Utf8()
                   : ansi),
      m_ansi(ansi)
{
    ForEachLine(fileBytes.data(), fileBytes.data() + fileBytes.size(), [&](const char* pchLine, std::size_t nLength) {
        std::string text(pchLine, nLength);
        m_lines.push_back({text, Fold(text, ".,: &", m_coding)});
    });
}

std::string CReferenceFile::Results(const std::string& utf8Query, const CAnsiText& ansiQuery,
                                    std::size_t* pnJournals) const
{
    if (pnJournals)
        *pnJournals = 0;
    // Short in UTF-8, or in the code page for a list read in it.
    const std::string ansiBytes(ansiQuery.strBytes.GetString(), ansiQuery.strBytes.GetLength());
    if (FoldedQueryLength(utf8Query, CListCoding::Utf8()) < 2 ||
        (!IsUtf8() && FoldedQueryLength(ansiBytes, m_ansi) < 2))
        return "(nothing)";
    const bool bNoLineHolds = IsUtf8() ? !IsWellFormedUtf8(utf8Query) : ansiQuery.bLacking;
    const CCharacters query = Fold(IsUtf8() ? utf8Query : ansiBytes, " \t.,:&", m_coding);
    const std::string separator = "\r\n" + std::string(115, '-') + "\r\n";
    std::string results;
    std::vector<std::size_t> starts;
    for (const CLine& line : m_lines) {
        if (bNoLineHolds || line.folded.find(query) == CCharacters::npos)
            continue;
        std::string text = line.text;
        std::replace(text.begin(), text.end(), '\0', ' ');
        starts.push_back(results.size());
        results += std::regex_replace(text, std::regex("\t"), "\r\n") + separator;
    }
    for (const char* set : {"\r\n", "-", "\r\n"})
        results.erase(results.find_last_not_of(set) + 1);
    if (pnJournals)
        *pnJournals = std::count_if(starts.begin(), starts.end(), [&](std::size_t n) { return n < results.size(); });
    return results.empty() ? "No Results" : results;
}
