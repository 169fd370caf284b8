#include "search/CaseFold.h"

#include <algorithm>
#include <iterator>

namespace {

struct CCaseFold {
    char32_t source;
    char32_t folded;
};

struct CCodePageFolds {
    unsigned nCodePage;
    unsigned char high[128];  // of the bytes from 0x80 on
};

#include "search/CaseTables.inc"

CodePageFolds WithAsciiFolds(const unsigned char* pchHigh)
{
    CodePageFolds folds{};
    for (unsigned i = 0; i < 128; ++i) {
        folds[i] = static_cast<unsigned char>(i >= 'A' && i <= 'Z' ? i + ('a' - 'A') : i);
        folds[128 + i] = pchHigh ? pchHigh[i] : static_cast<unsigned char>(128 + i);
    }
    return folds;
}

}  // namespace

char32_t FoldCase(char32_t c)
{
    if (c < 0x80)
        return c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c;
    const CCaseFold* const pFold = std::lower_bound(std::begin(kCaseFolds), std::end(kCaseFolds), c,
                                                    [](const CCaseFold& fold, char32_t ch) { return fold.source < ch; });
    return pFold != std::end(kCaseFolds) && pFold->source == c ? pFold->folded : c;
}

std::vector<char32_t> CaseVariantsOf(char32_t f)
{
    std::vector<char32_t> variants{f};
    for (const CCaseFold& fold : kCaseFolds) {
        if (fold.folded == f)
            variants.push_back(fold.source);
    }
    return variants;
}

const CodePageFolds& CodePageFoldsOf(unsigned nCodePage)
{
    static const auto s_tables = [] {
        std::array<CodePageFolds, std::size(kCodePageFolds)> tables{};
        for (std::size_t i = 0; i < tables.size(); ++i)
            tables[i] = WithAsciiFolds(kCodePageFolds[i].high);
        return tables;
    }();
    static const CodePageFolds s_asciiOnly = WithAsciiFolds(nullptr);
    for (std::size_t i = 0; i < std::size(kCodePageFolds); ++i) {
        if (kCodePageFolds[i].nCodePage == nCodePage)
            return s_tables[i];
    }
    return s_asciiOnly;
}
