#pragma once

#include <cstdint>

enum class ReturnAction { SelectQuery, EraseQuery };

// What Return does, in whichever box: the first press selects the whole
// query, the next erases it, whatever was typed in between; and so on.
class CReturnToggle {
public:
    ReturnAction OnReturn()
    {
        m_bSelected = !m_bSelected;
        return m_bSelected ? ReturnAction::SelectQuery : ReturnAction::EraseQuery;
    }

private:
    std::uint8_t m_bSelected = 0;  // the last Return selected the query
};
