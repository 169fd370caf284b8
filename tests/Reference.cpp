#include "tests/Reference.h"

namespace {

std::string LowerCase(std::string text)
{
    for (char& ch : text) {
        if (ch >= 'A' && ch <= 'Z')
            ch = static_cast<char>(ch - 'A' + 'a');
    }
    return text;
}

std::string ReplaceAll(const std::string& text, const std::string& what, const std::string& with)
{
    std::string result;
    std::size_t nFrom = 0;
    for (std::size_t nAt; (nAt = text.find(what, nFrom)) != std::string::npos; nFrom = nAt + what.size())
        result += text.substr(nFrom, nAt - nFrom) + with;
    return result + text.substr(nFrom);
}

std::string RemoveAll(const std::string& text, char ch)
{
    std::string result;
    for (char c : text) {
        if (c != ch)
            result += c;
    }
    return result;
}

}  // namespace

std::string ReferenceFoldQuery(const std::string& text)
{
    std::string folded = ReplaceAll(LowerCase(text), "and", "");
    for (char ch : {' ', '\t', '.', ',', ':', '&'})
        folded = RemoveAll(folded, ch);
    return folded;
}

std::string ReferenceFoldLine(const std::string& line)
{
    std::string folded = ReplaceAll(LowerCase(line), "and", "");
    for (char ch : {'.', ',', ':', ' ', '&'})
        folded = RemoveAll(folded, ch);
    return folded;
}

std::vector<std::string> ReferenceLines(const std::string& bytes)
{
    std::vector<std::string> lines;
    std::string line;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
            continue;
        if (bytes[i] == '\n') {
            lines.push_back(line);
            line.clear();
        } else {
            line += bytes[i];
        }
    }
    if (!line.empty())
        lines.push_back(line);
    return lines;
}

std::string ReferenceResults(const std::string& fileBytes, const std::string& query)
{
    const std::string foldedQuery = ReferenceFoldQuery(query);
    const std::string separator = "\r\n" + std::string(115, '-') + "\r\n";
    std::string results;
    for (const std::string& line : ReferenceLines(fileBytes)) {
        if (ReferenceFoldLine(line).find(foldedQuery) != std::string::npos)
            results += ReplaceAll(ReplaceAll(line, std::string(1, '\0'), " "), "\t", "\r\n") + separator;
    }
    for (const char* set : {"\r\n", "-", "\r\n"})
        results.erase(results.find_last_not_of(set) + 1);
    return results.empty() ? "No Results" : results;
}
