#pragma once

// Plain, literal statements of the search rules, step by step as they are
// written, for comparing the optimised code against.

#include <string>
#include <vector>

// Lower-case A-Z, remove "and" left to right without rescanning, then remove
// each listed character in turn.
std::string ReferenceFoldQuery(const std::string& text);
std::string ReferenceFoldLine(const std::string& line);

// Lines as text mode reads them: a line ends at LF, a CR right before that
// LF goes with it, a last line without LF still counts, an empty rest does not.
std::vector<std::string> ReferenceLines(const std::string& bytes);

// What the results box shows for a query against a data file's bytes (no
// byte-order mark, file present); the query folds to two or more bytes.
std::string ReferenceResults(const std::string& fileBytes, const std::string& query);
