// Conversion of Excel values to text, numbers, integers and booleans, and the
// reading of vector and matrix arguments with their shape messages.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "xll/xl_oper.h"

namespace Zr::Xll {

// Record-level conversions; false when the record cannot convert. Never throw.
bool RecordToText(const XLOPER12& r, std::u16string& text);
bool RecordToText(const XLOPER& r, std::string& text);
bool RecordToDouble(const XLOPER12& r, double& value);
bool RecordToDouble(const XLOPER& r, double& value);
bool RecordToInt(const XLOPER12& r, int32_t& value);
bool RecordToInt(const XLOPER& r, int32_t& value);
bool RecordToBool(const XLOPER12& r, bool& value);
bool RecordToBool(const XLOPER& r, bool& value);

// "#N/A" and the like; empty for a code Excel does not know.
std::string_view ErrorName(int32_t code);

// Text parsing as the conversions use it: the whole text (surrounding white
// space aside) must be one finite number in range.
bool ParseDouble(std::string_view text, double& value);
bool ParseInt(std::string_view text, int32_t& value);

// A rectangular block of numbers, row by row.
struct XlTable {
    int32_t rows = 0;
    int32_t columns = 0;
    std::vector<double> values;
    double At(int32_t r, int32_t c) const { return values[size_t(r) * size_t(columns) + size_t(c)]; }
};

// A count that several arguments must share; -1 until the first fixes it.
struct XlDimensionSlot {
    int32_t count = -1;
};

// What the shape checks know of an argument.
struct XlArgument {
    std::string name;
    XlDimensionSlot* rows = nullptr;
    XlDimensionSlot* columns = nullptr;
};

// A matrix argument: the top-left block of non-blank cells when the rest of
// the value is blank, else the whole value; every cell of it a number.
// Throws CXlConversionException with the argument's name in the message.
XlTable ReadMatrix(const CXlOper& value, const XlArgument& argument);
// A vector argument: one value, one row or one column, read up to its first
// blank cell; a missing argument is empty.
std::vector<double> ReadVector(const CXlOper& value, const XlArgument& argument);

// Fixes or checks a shared count (rows before columns); the message names
// the argument that disagrees.
void CheckRows(XlDimensionSlot* slot, int32_t count, const std::string& name);
void CheckColumns(XlDimensionSlot* slot, int32_t count, const std::string& name);
void CheckLength(XlDimensionSlot* slot, int32_t count, const std::string& name);

}  // namespace Zr::Xll
