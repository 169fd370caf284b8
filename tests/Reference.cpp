#include "tests/Reference.h"

#include "framework/portable/LineEnds.h"
#include "search/CaseFold.h"

#include <algorithm>
#include <regex>

namespace {

// A text as its characters, a unit each: in UTF-8 each sequence of the
// table as its code point (a byte that is none as itself, past the code
// points); in a code page each byte, or a lead byte and the byte after it
// as one unit, past the bytes.
using CCharacters = std::u32string;
constexpr char32_t kNoUtf8 = 0x110000;
constexpr char32_t kPair = 0x100;

// The length of the well-formed sequence at i, or 0: the rows of Unicode's
// table 3-7, as they stand.
std::size_t SequenceAt(const std::string& bytes, std::size_t i)
{
    static const struct {
        unsigned char first[2], second[2];
        std::size_t nLength;
    } rows[] = {
        {{0x00, 0x7F}, {0, 0}, 1},       {{0xC2, 0xDF}, {0x80, 0xBF}, 2}, {{0xE0, 0xE0}, {0xA0, 0xBF}, 3},
        {{0xE1, 0xEC}, {0x80, 0xBF}, 3}, {{0xED, 0xED}, {0x80, 0x9F}, 3}, {{0xEE, 0xEF}, {0x80, 0xBF}, 3},
        {{0xF0, 0xF0}, {0x90, 0xBF}, 4}, {{0xF1, 0xF3}, {0x80, 0xBF}, 4}, {{0xF4, 0xF4}, {0x80, 0x8F}, 4},
    };
    const auto byte = [&](std::size_t n) { return static_cast<unsigned char>(bytes[n]); };
    for (const auto& row : rows) {
        if (byte(i) < row.first[0] || byte(i) > row.first[1])
            continue;
        if (row.nLength == 1)
            return 1;
        if (i + row.nLength > bytes.size() || byte(i + 1) < row.second[0] || byte(i + 1) > row.second[1])
            return 0;
        for (std::size_t n = 2; n < row.nLength; ++n) {
            if (byte(i + n) < 0x80 || byte(i + n) > 0xBF)
                return 0;
        }
        return row.nLength;
    }
    return 0;
}

// The characters of a text, each with its case folded.
CCharacters FoldedCharactersOf(const std::string& text, const CListCoding& coding)
{
    static const unsigned char kLeadBits[] = {0, 0x7F, 0x1F, 0x0F, 0x07};
    CCharacters characters;
    for (std::size_t i = 0; i < text.size();) {
        const unsigned char ch = static_cast<unsigned char>(text[i]);
        std::size_t n = coding.IsUtf8() ? SequenceAt(text, i) : 1;
        if (n == 0) {
            characters += kNoUtf8 + ch;
            n = 1;
        } else if (coding.IsUtf8()) {
            char32_t c = ch & kLeadBits[n];
            for (std::size_t k = 1; k < n; ++k)
                c = (c << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
            characters += FoldCase(c);
        } else if (i + 1 < text.size() && coding.IsLead(ch)) {
            characters += kPair * ch + static_cast<unsigned char>(text[i + 1]) + kPair;
            n = 2;
        } else {
            characters += coding.FoldByte(ch);
        }
        i += n;
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

}  // namespace

bool IsWellFormedUtf8(const std::string& bytes)
{
    for (std::size_t i = 0, n = 0; i < bytes.size(); i += n) {
        if ((n = SequenceAt(bytes, i)) == 0)
            return false;
    }
    return true;
}

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
