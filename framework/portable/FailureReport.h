#pragma once

#include "framework/portable/String.h"

// What to tell the user of a failure that left a handler, and whether the
// program can go on. A file error, a lack of memory or a box without room
// for its text (CBoxFullException) leaves the program as it was; anything
// else is a fault whose harm is unknown, so the program closes.
struct CFailureReport {
    CString strText;
    bool bCarryOn;
};

// Only while an exception is being handled, inside a catch block.
CFailureReport DescribeCurrentException();
