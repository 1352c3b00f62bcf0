// The numbered message table: string resources of the add-in first, the
// built-in copy otherwise.
#pragma once

#include <string>
#include <vector>

namespace Zr::Xll {

constexpr unsigned kMessageCount = 66;
constexpr unsigned kMessageResourceBase = 53248;

// Message numbers the framework raises.
enum Message : unsigned {
    MSG_ERROR_TEXT = 1,
    MSG_TYPE_BOOLEAN = 4,
    MSG_TYPE_NUMBER = 5,
    MSG_TYPE_INTEGER = 6,
    MSG_TYPE_STRING = 7,
    MSG_EXPECTED = 11,
    MSG_EXPECTED_TYPE_FOR = 12,
    MSG_EXPECTED_AT_LEAST_ONE = 13,
    MSG_EXPECTED_VECTOR = 15,
    MSG_EXPECTED_ONE_ROW = 17,
    MSG_EXPECTED_ROWS = 18,
    MSG_EXPECTED_ONE_COLUMN = 19,
    MSG_EXPECTED_COLUMNS = 20,
    MSG_EXPECTED_ONE_VALUE = 21,
    MSG_EXPECTED_VALUES = 22,
    MSG_INDEX_OUT_OF_RANGE = 30,
    MSG_ILLEGAL_ARGUMENT = 31,
    MSG_BAD_XLOPER_TYPE = 32,
    MSG_STRING_TOO_LONG = 37,
    MSG_CELL_NOT_SCALAR = 39,
    MSG_SOURCE_NOT_SCALAR = 41,
    MSG_ILLEGAL_RESULT = 48,
    MSG_REGISTRATION_FAILED = 49,
    MSG_LOAD_FAILURE = 50,
    MSG_MEMORY_ALLOCATION = 51,
    MSG_C_EXCEPTION = 55,
    MSG_THREW_EXCEL_ERROR = 56,
    MSG_COM_FAILED = 58,
    MSG_EXPECTED_ONE_OF = 64,
};

// Message n as stored; false when n is outside the table.
bool LoadMessage(unsigned n, std::string& narrow);
bool LoadMessage(unsigned n, std::u16string& wide);

// Message n as narrow text; empty outside the table.
std::string MessageText(unsigned n);

// Message n with its placeholders filled; "Message #n not found" outside the table.
std::string FormatMessageA(unsigned n, const std::vector<std::string>& args = {});
std::u16string FormatMessageW(unsigned n, const std::vector<std::u16string>& args = {});

}  // namespace Zr::Xll
