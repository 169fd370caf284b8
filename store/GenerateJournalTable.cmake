# Turns the journal list (one journal a line, LF ends) into a C++ table of
# line texts. Run as: cmake -DINPUT=... -DOUTPUT=... -P GenerateJournalTable.cmake
file(READ "${INPUT}" text)
string(REPLACE "\\" "\\\\" text "${text}")
string(REPLACE "\"" "\\\"" text "${text}")
string(REPLACE "\t" "\\t" text "${text}")
string(REGEX REPLACE "\n$" "" text "${text}")
string(REPLACE "\n" "\\n\",\n    \"" text "${text}")
file(WRITE "${OUTPUT}.new"
"// Generated from default-journals.txt by GenerateJournalTable.cmake.
#include \"store/DefaultJournals.h\"

const char* const g_apszDefaultJournals[] = {
    \"${text}\\n\",
};

const std::size_t g_nDefaultJournals = sizeof g_apszDefaultJournals / sizeof g_apszDefaultJournals[0];
")
file(RENAME "${OUTPUT}.new" "${OUTPUT}")
