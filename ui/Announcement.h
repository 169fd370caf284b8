#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// What a screen reader is told when a search run leaves the results box
// (SearchRun.h), in UTF-16: how many journals it shows, in the string
// table's words for one and for more (the number for its '#'); else the
// message it shows, as shown; nothing for an empty box.
inline std::u16string AnnouncementOf(std::u16string_view shown, std::size_t nJournals, std::u16string_view oneJournal,
                                     std::u16string_view journals)
{
    if (nJournals == 0)
        return std::u16string(shown);
    if (nJournals == 1)
        return std::u16string(oneJournal);
    std::u16string words(journals);
    const std::size_t nAt = words.find(u'#');
    if (nAt != std::u16string::npos) {
        const std::string digits = std::to_string(nJournals);
        words.replace(nAt, 1, std::u16string(digits.begin(), digits.end()));
    }
    return words;
}
