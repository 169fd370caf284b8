#include "tests/Reference.h"

#include "framework/portable/LineEnds.h"

#include <algorithm>
#include <numeric>
#include <regex>

namespace {

// A text as its characters, each of one byte or of a lead byte and the byte after it.
using CCharacters = std::vector<std::string>;

CCharacters CharactersOf(const std::string& text, const CLeadBytes& leadBytes)
{
    CCharacters characters;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool bPair = i + 1 < text.size() && leadBytes.IsLead(static_cast<unsigned char>(text[i]));
        characters.push_back(text.substr(i, bPair ? 2 : 1));
        i += bPair;
    }
    return characters;
}

CCharacters Fold(const std::string& text, const std::string& removed, const CLeadBytes& leadBytes)
{
    CCharacters lower = CharactersOf(text, leadBytes);
    for (std::string& ch : lower) {
        if (ch.size() == 1 && ch[0] >= 'A' && ch[0] <= 'Z')
            ch[0] = static_cast<char>(ch[0] - 'A' + 'a');
    }
    CCharacters withoutAnd;
    for (std::size_t i = 0; i < lower.size(); ++i) {
        if (i + 2 < lower.size() && lower[i] == "a" && lower[i + 1] == "n" && lower[i + 2] == "d")
            i += 2;
        else
            withoutAnd.push_back(lower[i]);
    }
    CCharacters folded;
    std::copy_if(withoutAnd.begin(), withoutAnd.end(), std::back_inserter(folded),
                 [&](const std::string& ch) { return ch.size() > 1 || removed.find(ch[0]) == std::string::npos; });
    return folded;
}

}  // namespace

std::string ReferenceFoldQuery(const std::string& text, const CLeadBytes& leadBytes)
{
    const CCharacters folded = Fold(text, " \t.,:&", leadBytes);
    return std::accumulate(folded.begin(), folded.end(), std::string());
}

CReferenceFile::CReferenceFile(const std::string& fileBytes, const CLeadBytes& leadBytes) : m_leadBytes(leadBytes)
{
    ForEachLine(fileBytes.data(), fileBytes.data() + fileBytes.size(), [&](const char* pchLine, std::size_t nLength) {
        CLine line{std::string(pchLine, nLength), "", {}};
        for (const std::string& ch : Fold(line.text, ".,: &", leadBytes)) {
            line.folded += ch;
            line.starts.resize(line.folded.size(), false);
            line.starts[line.folded.size() - ch.size()] = true;
        }
        m_lines.push_back(std::move(line));
    });
}

std::vector<const CReferenceFile::CLine*> CReferenceFile::Matching(const std::string& query) const
{
    const std::string foldedQuery = ReferenceFoldQuery(query, m_leadBytes);
    std::vector<const CLine*> lines;
    for (const CLine& line : m_lines) {
        // A match starts on a character of the folded line, never inside one.
        std::size_t i = line.folded.find(foldedQuery);
        while (i != std::string::npos && !line.starts[i])
            i = line.folded.find(foldedQuery, i + 1);
        if (i != std::string::npos)
            lines.push_back(&line);
    }
    return lines;
}

std::string CReferenceFile::Results(const std::string& query) const
{
    const std::string separator = "\r\n" + std::string(115, '-') + "\r\n";
    std::string results;
    for (const CLine* pLine : Matching(query)) {
        std::string text = pLine->text;
        std::replace(text.begin(), text.end(), '\0', ' ');
        results += std::regex_replace(text, std::regex("\t"), "\r\n") + separator;
    }
    for (const char* set : {"\r\n", "-", "\r\n"})
        results.erase(results.find_last_not_of(set) + 1);
    return results.empty() ? "No Results" : results;
}
