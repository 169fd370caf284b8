#pragma once

// Plain, literal statements of the search rules, step by step as they are
// written, for comparing the optimised code against. A list is UTF-8 where
// its bytes are well-formed UTF-8 (Utf8.h, whose own test pins that down)
// and one is beyond ASCII; else text of the ANSI code page, where a lead
// byte and the byte after it make one character and any other byte is one.
// A text is taken as a list of characters, each folded by the one rule of
// case (CaseFold.h; in a code page, single bytes only).

#include "search/ListCoding.h"
#include "search/SearchRun.h"

#include <cstddef>
#include <string>
#include <vector>


// What the results box shows for a query against a data file's bytes (no
// byte-order mark, file present): the query given in UTF-8 and in the ANSI
// code page, as the search takes it. The file's
// lines are folded once for many queries; they end by the program's own
// rule (LineEnds.h), which the search's table of cases pins down.
class CReferenceFile {
public:
    CReferenceFile(const std::string& fileBytes, const CListCoding& ansi);
    bool IsUtf8() const { return m_coding.IsUtf8(); }
    // "(nothing)" where the run leaves the box alone; given pnJournals, the
    // blocks the text shows.
    std::string Results(const std::string& utf8Query, const CAnsiText& ansiQuery,
                        std::size_t* pnJournals = nullptr) const;
    // A query whose bytes stand for it in either coding.
    std::string Results(const std::string& query, std::size_t* pnJournals = nullptr) const
    {
        return Results(query, CAnsiText{CString(query.data(), query.size()), false}, pnJournals);
    }

private:
    struct CLine {
        std::string text;
        std::u32string folded;  // a unit a character (Reference.cpp)
    };

    CListCoding m_coding;
    CListCoding m_ansi;
    std::vector<CLine> m_lines;
};
