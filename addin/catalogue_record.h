// A static registration record built from the catalogue entry of one
// function: the texts are derived once, at start-up, and kept here.
#pragma once

#include <string>

#include "xll/function_record.h"

namespace Zr::Addin {

class CatalogueRecord {
public:
    // Links the record of the catalogue function `name` when the exports'
    // type texts agree with the catalogue's; otherwise the function stays
    // unregistered, which the tests catch.
    CatalogueRecord(const char* name, const std::string& legacyType, const std::string& modernType);
    const XlFunctionRecord& Record() const { return record_; }

private:
    std::string legacyExport_, modernExport_, legacyType_, modernType_;
    std::u16string name_, argumentNames_, help_, argumentHelp_, descriptor_;
    XlFunctionRecord record_{};
};

}  // namespace Zr::Addin
