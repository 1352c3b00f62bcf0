#include "catalogue_record.h"

#include "functions/catalogue.h"

namespace Zr::Addin {
namespace {

// One NUL-terminated text per argument, ended by an empty text.
std::u16string MultiString(const std::vector<std::u16string>& texts) {
    std::u16string joined;
    for (const auto& text : texts) joined += text + u'\0';
    return joined;
}

}  // namespace

CatalogueRecord::CatalogueRecord(const char* name, const std::string& legacyType, const std::string& modernType) {
    const Functions::FunctionInfo* f = Functions::FindFunction(name);
    if (!f || legacyType != Functions::LegacyTypeText(*f) || modernType != Functions::ModernTypeText(*f)) return;
    legacyExport_ = Functions::LegacyExportName(*f);
    modernExport_ = Functions::ModernExportName(*f);
    legacyType_ = Functions::LegacyTypeText(*f);
    modernType_ = Functions::ModernTypeText(*f);
    name_ = std::u16string(f->name.begin(), f->name.end());
    argumentNames_ = Functions::ArgumentNames(*f);
    help_ = std::u16string(f->description);
    argumentHelp_ = MultiString(Functions::ArgumentHelps(*f));
    descriptor_ = Functions::Descriptor(*f);
    record_ = XlFunctionRecord{nullptr, legacyExport_.c_str(), modernExport_.c_str(), legacyType_.c_str(),
                               modernType_.c_str(), name_.c_str(), nullptr, argumentNames_.c_str(), 1, nullptr,
                               u"ZrRand", u"", 0, u"", nullptr, help_.c_str(), nullptr, argumentHelp_.c_str(),
                               nullptr, descriptor_.c_str(), 0, 0};
    Xll::LinkFunctionRecord(record_);
}

}  // namespace Zr::Addin
