#include "framework/portable/FailureReport.h"

#include "framework/portable/BoxFullException.h"
#include "framework/portable/FileException.h"

#include <exception>
#include <new>

CFailureReport DescribeCurrentException()
{
    const CString strFatal = "Norvane met an error it cannot recover from, and closes.";
    try {
        throw;
    } catch (const CFileException& e) {
        return {"Norvane could not use the file\r\n" + e.GetPath() + "\r\n\r\n" + e.GetCause() + ".", true};
    } catch (const std::bad_alloc&) {
        return {"There is not enough memory for the results of this search.", true};
    } catch (const CBoxFullException&) {
        return {"The results of this search are more than the results box can hold.", true};
    } catch (const std::exception& e) {
        return {strFatal + "\r\n\r\n" + e.what(), false};
    } catch (...) {
        return {strFatal, false};
    }
}
