#pragma once

#include <exception>

// A text box had no room for all of a text: the system found no memory
// for the box to grow. The window half throws it; the report says so in
// words of its own, and the program goes on.
class CBoxFullException : public std::exception {
public:
    const char* what() const noexcept override { return "the box has no room for the text"; }
};
