#include "tests/Reference.h"

#include "framework/portable/LineEnds.h"

#include <algorithm>
#include <regex>

namespace {

// Bytes, and which of them start a character.
struct CCharacters {
    std::string bytes;
    std::vector<bool> starts;

    bool IsSingle(std::size_t i) const { return starts[i] && (i + 1 == bytes.size() || starts[i + 1]); }
    void Append(const CCharacters& from, std::size_t i) { bytes += from.bytes[i]; starts.push_back(from.starts[i]); }
};

CCharacters CharactersOf(const std::string& text, const CLeadBytes& leadBytes)
{
    CCharacters characters{text, std::vector<bool>(text.size(), true)};
    for (std::size_t i = 0; i + 1 < text.size(); ++i) {
        if (leadBytes.IsLead(static_cast<unsigned char>(text[i])))
            characters.starts[++i] = false;
    }
    return characters;
}

CCharacters LowerCase(CCharacters characters)
{
    for (std::size_t i = 0; i < characters.bytes.size(); ++i) {
        char& ch = characters.bytes[i];
        if (characters.IsSingle(i) && ch >= 'A' && ch <= 'Z')
            ch = static_cast<char>(ch - 'A' + 'a');
    }
    return characters;
}

// "and" as three characters, removed left to right without rescanning.
CCharacters RemoveAnd(const CCharacters& characters)
{
    CCharacters result;
    for (std::size_t i = 0; i < characters.bytes.size(); ++i) {
        if (characters.bytes.compare(i, 3, "and") == 0 && characters.IsSingle(i) && characters.IsSingle(i + 1) &&
            characters.IsSingle(i + 2))
            i += 2;
        else
            result.Append(characters, i);
    }
    return result;
}

CCharacters RemoveEach(const CCharacters& characters, const std::string& removed)
{
    CCharacters result;
    for (std::size_t i = 0; i < characters.bytes.size(); ++i) {
        if (!(characters.IsSingle(i) && removed.find(characters.bytes[i]) != std::string::npos))
            result.Append(characters, i);
    }
    return result;
}

CCharacters Fold(const std::string& text, const std::string& removed, const CLeadBytes& leadBytes)
{
    return RemoveEach(RemoveAnd(LowerCase(CharactersOf(text, leadBytes))), removed);
}

// A match starts on a character of the folded line, never inside one.
bool Contains(const std::string& folded, const std::vector<bool>& starts, const std::string& query)
{
    for (std::size_t i = folded.find(query); i != std::string::npos; i = folded.find(query, i + 1)) {
        if (starts[i])
            return true;
    }
    return false;
}

// Lines by the program's one rule of line ends.
std::vector<std::string> Lines(const std::string& bytes)
{
    std::vector<std::string> lines;
    ForEachLine(bytes.data(), bytes.data() + bytes.size(),
                [&](const char* pchLine, std::size_t nLength) { lines.emplace_back(pchLine, nLength); });
    return lines;
}

}  // namespace

std::string ReferenceFoldQuery(const std::string& text, const CLeadBytes& leadBytes)
{
    return Fold(text, " \t.,:&", leadBytes).bytes;
}

std::string ReferenceFoldLine(const std::string& line, const CLeadBytes& leadBytes)
{
    return Fold(line, ".,: &", leadBytes).bytes;
}

CReferenceFile::CReferenceFile(const std::string& fileBytes, const CLeadBytes& leadBytes) : m_leadBytes(leadBytes)
{
    for (const std::string& line : Lines(fileBytes)) {
        CCharacters folded = Fold(line, ".,: &", leadBytes);
        m_lines.push_back({line, std::move(folded.bytes), std::move(folded.starts)});
    }
}

std::string CReferenceFile::Results(const std::string& query) const
{
    const std::string foldedQuery = ReferenceFoldQuery(query, m_leadBytes);
    const std::string separator = "\r\n" + std::string(115, '-') + "\r\n";
    std::string results;
    for (const CLine& line : m_lines) {
        if (Contains(line.folded, line.starts, foldedQuery)) {
            std::string text = line.text;
            std::replace(text.begin(), text.end(), '\0', ' ');
            results += std::regex_replace(text, std::regex("\t"), "\r\n") + separator;
        }
    }
    for (const char* set : {"\r\n", "-", "\r\n"})
        results.erase(results.find_last_not_of(set) + 1);
    return results.empty() ? "No Results" : results;
}
