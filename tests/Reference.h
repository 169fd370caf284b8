#pragma once

// Plain, literal statements of the search rules, step by step as they are
// written, for comparing the optimised code against. A text is taken as a
// list of characters: a lead byte of the code page and the byte after it
// make one, any other byte is one.

#include "framework/portable/LeadBytes.h"

#include <string>
#include <vector>

// Lower-case A-Z, remove "and" left to right without rescanning, then remove
// each listed character: the query's.
std::string ReferenceFoldQuery(const std::string& text, const CLeadBytes& leadBytes = CLeadBytes());

// What the results box shows for a query against a data file's bytes (no
// byte-order mark, file present; the query folds to two or more bytes),
// the file's lines folded once for many queries. Lines end by the program's
// own rule (LineEnds.h), which the search's table of cases pins down.
class CReferenceFile {
public:
    explicit CReferenceFile(const std::string& fileBytes, const CLeadBytes& leadBytes = CLeadBytes());
    std::string Results(const std::string& query) const;
    // How many lines the query matches.
    std::size_t Count(const std::string& query) const { return Matching(query).size(); }

private:
    struct CLine {
        std::string text;
        std::string folded;
        std::vector<bool> starts;  // which folded bytes start a character
    };
    std::vector<const CLine*> Matching(const std::string& query) const;

    CLeadBytes m_leadBytes;
    std::vector<CLine> m_lines;
};
