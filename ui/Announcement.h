#pragma once

#include "framework/portable/String.h"

#include <cstddef>
#include <string>

// What a screen reader is told when a search run leaves the results box
// (SearchRun.h): how many journals it shows, in the string table's words
// for one and for more (the number for its '#'); else the message it
// shows, as shown; nothing for an empty box.
inline CString AnnouncementOf(const CString& strShown, std::size_t nJournals, const CString& strOneJournal,
                              const CString& strJournals)
{
    if (nJournals == 0)
        return strShown;
    if (nJournals == 1)
        return strOneJournal;
    std::string words(strJournals.GetString(), strJournals.GetLength());
    const std::size_t nAt = words.find('#');
    if (nAt != std::string::npos)
        words.replace(nAt, 1, std::to_string(nJournals));
    return CString(words.data(), words.size());
}
