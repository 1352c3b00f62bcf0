// A registration object: the texts of one static record as strings, and what
// Excel answered when the function was registered.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "xll/function_record.h"

namespace Zr::Xll {

// What registering needs from the application.
struct RegistrationContext {
    int excelVersion = 0;
    bool excel12 = false;
    std::string modulePath;    // as Excel reports it
    std::u16string helpFile;   // empty: none
};

class CXlFunctionRegistration {
public:
    explicit CXlFunctionRegistration(const XlFunctionRecord& record);

    // Registers the Excel 12 or the legacy form; true when registered (or
    // skipped because of the version limits or a missing form).
    bool Register(const RegistrationContext& context, uint16_t helpContext);
    // Unregisters and leaves the name as a hidden entry without help.
    void Unregister(const RegistrationContext& context);

    const std::u16string& Name() const { return name_; }
    uint16_t HelpContext() const { return helpContext_; }
    double RegisterId() const { return registerId_; }
    bool IsRegistered() const { return registered_; }
    // Number of arguments: the letters of the type text after the result's.
    size_t ArgumentCount() const;
    const std::u16string& Descriptor() const { return descriptor_; }
    void MarkUnregistered() { registered_ = false; registerId_ = 0; }

private:
    bool UsesModernForm(bool excel12) const;

    std::string legacyExport_, modernExport_, legacyType_, modernType_;
    std::u16string name_, helpTopic_;
    std::string argumentNamesNarrow_, categoryNarrow_, helpNarrow_;
    std::u16string argumentNames_, category_, help_;
    std::vector<std::string> argumentHelpNarrow_;
    std::vector<std::u16string> argumentHelp_;
    std::u16string descriptor_;
    int macroType_;
    uint16_t helpContext_, minVersion_, maxVersion_;
    double registerId_ = 0;
    bool registered_ = false;
    bool registeredModern_ = false;
};

// Help-text rules of registration: pad to end in "..", cut to 255 characters.
std::u16string PadHelp(std::u16string text);
std::string PadHelp(std::string text);
// Replaces "#<number>" and "#0x<hex>" by the add-in's string resource of that
// number ("#@" likewise); anything else stays as written.
std::u16string ExpandResourceReferences(const std::u16string& text);
std::string ExpandResourceReferences(const std::string& text);

}  // namespace Zr::Xll
