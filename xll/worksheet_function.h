// One declaration per worksheet function. ZR_WORKSHEET_FUNCTION names the
// function, its help text and its arguments; from that alone it declares the
// body, defines the exports Name_12 and Name_4 with the C types Excel passes,
// and builds the registration record, every text of which (export names,
// type texts, argument names and helps, descriptor) is computed at compile
// time. A body whose signature differs from the declaration is a function of
// its own that nothing declared, which the build rejects
// (-Werror=missing-declarations), and a name declared twice defines its
// exports twice.
#pragma once

#include <span>
#include <string_view>
#include <vector>

#include "xll/declaration.h"
#include "xll/function_record.h"
#include "xll/registration_texts.h"
#include "xll/wizard_lists.h"

namespace Zr::Xll {

// A declared worksheet function: its declaration as data and its registration
// record. Constructing one at namespace scope links both into the add-in's lists.
class WorksheetFunction {
public:
    template <size_t N>
    WorksheetFunction(const Declaration<N>& d, const XlFunctionRecord& record)
        : name(d.name), help(d.help), arguments(d.arguments), record_(record) {
        Link();
    }

    std::string_view name;
    std::u16string_view help;
    std::span<const Argument> arguments;
    const XlFunctionRecord& Record() const { return record_; }

private:
    void Link();
    XlFunctionRecord record_;
    const WorksheetFunction* next_ = nullptr;
    friend std::vector<const WorksheetFunction*> WorksheetFunctions();
};

// Every declared worksheet function, in case-insensitive order of their names
// (the order of their help topics).
std::vector<const WorksheetFunction*> WorksheetFunctions();

}  // namespace Zr::Xll

// ---- The declaration macro --------------------------------------------------------------

#define ZR_XLL_COUNT(...) ZR_XLL_COUNT_(__VA_OPT__(__VA_ARGS__, ) 11, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1, 0)
#define ZR_XLL_COUNT_(_1, _2, _3, _4, _5, _6, _7, _8, _9, _10, _11, N, ...) N
#define ZR_XLL_CAT(a, b) ZR_XLL_CAT_(a, b)
#define ZR_XLL_CAT_(a, b) a##b

// Parameters a0, a1, ... of an export, typed after the declaration D.
#define ZR_XLL_P(D, W, i) typename ::Zr::Xll::ArgumentTypes<D.arguments[i].letter>::W a##i
#define ZR_XLL_PARAMS_0(D, W)
#define ZR_XLL_PARAMS_1(D, W) ZR_XLL_P(D, W, 0)
#define ZR_XLL_PARAMS_2(D, W) ZR_XLL_PARAMS_1(D, W), ZR_XLL_P(D, W, 1)
#define ZR_XLL_PARAMS_3(D, W) ZR_XLL_PARAMS_2(D, W), ZR_XLL_P(D, W, 2)
#define ZR_XLL_PARAMS_4(D, W) ZR_XLL_PARAMS_3(D, W), ZR_XLL_P(D, W, 3)
#define ZR_XLL_PARAMS_5(D, W) ZR_XLL_PARAMS_4(D, W), ZR_XLL_P(D, W, 4)
#define ZR_XLL_PARAMS_6(D, W) ZR_XLL_PARAMS_5(D, W), ZR_XLL_P(D, W, 5)
#define ZR_XLL_PARAMS_7(D, W) ZR_XLL_PARAMS_6(D, W), ZR_XLL_P(D, W, 6)
#define ZR_XLL_PARAMS_8(D, W) ZR_XLL_PARAMS_7(D, W), ZR_XLL_P(D, W, 7)
#define ZR_XLL_PARAMS_9(D, W) ZR_XLL_PARAMS_8(D, W), ZR_XLL_P(D, W, 8)
#define ZR_XLL_PARAMS_10(D, W) ZR_XLL_PARAMS_9(D, W), ZR_XLL_P(D, W, 9)
#define ZR_XLL_PARAMS_11(D, W) ZR_XLL_PARAMS_10(D, W), ZR_XLL_P(D, W, 10)

// The export's arguments handed to the body (records wrapped in a CXlOper view).
#define ZR_XLL_ARGS_0
#define ZR_XLL_ARGS_1 , ::Zr::Xll::BodyArg(a0)
#define ZR_XLL_ARGS_2 ZR_XLL_ARGS_1, ::Zr::Xll::BodyArg(a1)
#define ZR_XLL_ARGS_3 ZR_XLL_ARGS_2, ::Zr::Xll::BodyArg(a2)
#define ZR_XLL_ARGS_4 ZR_XLL_ARGS_3, ::Zr::Xll::BodyArg(a3)
#define ZR_XLL_ARGS_5 ZR_XLL_ARGS_4, ::Zr::Xll::BodyArg(a4)
#define ZR_XLL_ARGS_6 ZR_XLL_ARGS_5, ::Zr::Xll::BodyArg(a5)
#define ZR_XLL_ARGS_7 ZR_XLL_ARGS_6, ::Zr::Xll::BodyArg(a6)
#define ZR_XLL_ARGS_8 ZR_XLL_ARGS_7, ::Zr::Xll::BodyArg(a7)
#define ZR_XLL_ARGS_9 ZR_XLL_ARGS_8, ::Zr::Xll::BodyArg(a8)
#define ZR_XLL_ARGS_10 ZR_XLL_ARGS_9, ::Zr::Xll::BodyArg(a9)
#define ZR_XLL_ARGS_11 ZR_XLL_ARGS_10, ::Zr::Xll::BodyArg(a10)

// Declares the worksheet function Name in category Category with help text
// Help and the listed Argument constants; the body follows, defined with
// exactly the parameters the arguments give:
//   ZR_WORKSHEET_FUNCTION(u"ZrRand", ZrNormInv, u"Returns ...", kProbOpen)
//   const CXlOper* ZrNormInv(CXlOper& result, double prob) { ... }
#define ZR_WORKSHEET_FUNCTION(Category, Name, Help, ...)                                                 \
    static constexpr auto Name##Declaration = ::Zr::Xll::Declare(#Name, Category, Help __VA_OPT__(, ) __VA_ARGS__); \
    ::Zr::Xll::BodyType<Name##Declaration> Name;                                                      \
    ZR_XLL_EXPORT(XLOPER12, Name##_12, Wire12, RunEntry12, Name, ZR_XLL_COUNT(__VA_ARGS__))             \
    ZR_XLL_EXPORT(XLOPER, Name##_4, Wire4, RunEntry4, Name, ZR_XLL_COUNT(__VA_ARGS__))                  \
    static const ::Zr::Xll::WorksheetFunction Name##Function ZR_EARLY_INIT(                            \
        Name##Declaration, ::Zr::Xll::RegistrationTexts<Name##Declaration>::Record());

// One export of the body Name, declared and defined. A function with a listed
// argument tells the function wizard's hook that it is being called.
#define ZR_XLL_EXPORT(Record, Export, Wire, Run, Name, N)                                                \
    ZR_EXPORT Record* Export(ZR_XLL_CAT(ZR_XLL_PARAMS_, N)(Name##Declaration, Wire));                    \
    ZR_EXPORT Record* Export(ZR_XLL_CAT(ZR_XLL_PARAMS_, N)(Name##Declaration, Wire)) {                   \
        return ::Zr::Xll::Run([&](CXlOper& result) {                                                     \
            if constexpr (::Zr::Xll::HasListedArgument(Name##Declaration))                               \
                ::Zr::Xll::NotifyFunctionCall(Name##Declaration.name);                                   \
            return Name(result ZR_XLL_CAT(ZR_XLL_ARGS_, N));                                             \
        });                                                                                              \
    }
