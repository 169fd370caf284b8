#include "search/SearchRun.h"

#include "framework/portable/StdioFile.h"
#include "framework/portable/Utf8.h"
#include "search/Fold.h"
#include "search/ListSample.h"
#include "search/MatchScan.h"
#include "store/DataFile.h"

#include <algorithm>
#include <optional>
#include <utility>

namespace {

// A UTF-8 or UTF-16 little-endian byte-order mark; only bytes actually read
// count, so an empty or one-byte file passes.
bool StartsWithByteOrderMark(CStdioFile& file)
{
    unsigned char start[3];
    const std::size_t nRead = file.ReadAt(0, start, sizeof start);
    return nRead >= 2 && ((start[0] == 0xEF && start[1] == 0xBB) || (start[0] == 0xFF && start[1] == 0xFE));
}

bool HasByteBeyondAscii(const CString& str)
{
    return std::any_of(str.GetString(), str.GetString() + str.GetLength(), [](char ch) { return (ch & 0x80) != 0; });
}

bool IsUtf8(const CString& str)
{
    return Utf8FormOf(str.GetString(), str.GetString() + str.GetLength()) != Utf8Form::NotUtf8;
}

// The query folded for each way of reading the list; the ANSI form is made
// only when a list is read in the code page.
class CFoldedQuery {
public:
    CFoldedQuery(const CQuery& query, const CListCoding& ansi)
        : m_query(query), m_ansi(ansi), m_strUtf8(FoldQuery(query.strUtf8, CListCoding::Utf8()))
    {
    }

    // The UTF-8 form is never the shorter: a character beyond ASCII takes
    // two bytes or more there, one or two in an ANSI code page.
    bool IsShort() const { return m_strUtf8.GetLength() < kMinQueryLength; }
    bool IsShortInAnsi() { return InAnsi().strBytes.GetLength() < kMinQueryLength; }
    // None for a query that no line of a list can hold: one that is no
    // UTF-8 (a lone surrogate of the box), one with a character that the
    // code page lacks.
    std::optional<CString> Utf8() const
    {
        return IsUtf8(m_query.strUtf8) ? std::optional(m_strUtf8) : std::nullopt;
    }
    std::optional<CString> Ansi() { return InAnsi().bLacking ? std::nullopt : std::optional(InAnsi().strBytes); }
    // True when the query finds in lines of ASCII what it finds in them
    // read in the code page: it is the same there, or neither form can be
    // in such a line.
    bool FindsAsInAnsiInAscii()
    {
        const std::optional<CString> strAnsi = Ansi();
        return strAnsi && !IsShortInAnsi() &&
               (*strAnsi == m_strUtf8 || (HasByteBeyondAscii(*strAnsi) && HasByteBeyondAscii(m_strUtf8)));
    }

private:
    const CAnsiText& InAnsi()
    {
        if (!m_inAnsi) {
            m_inAnsi = m_query.inAnsi();
            m_inAnsi->strBytes = FoldQuery(m_inAnsi->strBytes, m_ansi);
        }
        return *m_inAnsi;
    }

    const CQuery& m_query;
    const CListCoding& m_ansi;
    const CString m_strUtf8;
    std::optional<CAnsiText> m_inAnsi;
};

bool ReadOn(const char*, const char*)
{
    return true;
}

}  // namespace

void RunSearch(const CString& strDir, const CQuery& query, const SetResultsText& setResults, const CListCoding& ansi)
{
    if (!DataFileExists(strDir)) {
        setResults(SearchMessage::kResetting, 0, TextCoding::Ansi);
        ResetDataFile(strDir);
        setResults("", 0, TextCoding::Ansi);
        return;
    }

    CFoldedQuery folded(query, ansi);
    if (folded.IsShort())
        return;

    if (!DataFileExists(strDir)) {
        setResults(SearchMessage::kNoDataFile, 0, TextCoding::Ansi);
        return;
    }

    CStdioFile file;
    file.OpenRead(DataFilePath(strDir));
    if (StartsWithByteOrderMark(file)) {
        setResults(SearchMessage::kNotAnsi, 0, TextCoding::Ansi);
        return;
    }
    // What the list is in is known at its end: it is searched as UTF-8
    // while each block is well-formed, and again in the code page once one
    // is not (a list of the code page mostly shows it in the sample, before
    // any block is read). A list of ASCII alone is one of the code page.
    CListSample sample(file);
    std::optional<CMatches> matches;
    TextCoding coding = TextCoding::Utf8;
    if (!sample.RulesOutUtf8()) {
        bool bBeyondAscii = false;
        matches = CollectMatches(file, folded.Utf8(), CListCoding::Utf8(), sample,
                                 [&](const char* pchBegin, const char* pchEnd) {
                                     const Utf8Form form = Utf8FormOf(pchBegin, pchEnd);
                                     bBeyondAscii = bBeyondAscii || form == Utf8Form::Utf8;
                                     return form != Utf8Form::NotUtf8;
                                 });
        if (matches && !bBeyondAscii) {
            coding = TextCoding::Ansi;
            if (!folded.FindsAsInAnsiInAscii())
                matches.reset();
        }
    }
    if (!matches) {
        if (folded.IsShortInAnsi())
            return;
        coding = TextCoding::Ansi;
        matches = CollectMatches(file, folded.Ansi(), ansi, sample, ReadOn);
    }
    file.Close();
    if (matches->strText.IsEmpty())
        setResults(SearchMessage::kNoResults, 0, TextCoding::Ansi);
    else
        setResults(std::move(matches->strText), matches->nJournals, coding);
}
