// zrhost: loads an XLL add-in as Excel would, evaluates formulas with it and
// prints the results.
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <iostream>

#include "host/host.h"
#include "host/host_platform.h"
#include "host/object_model.h"

namespace {

using namespace Zr::Host;
using Zr::HostPlatform::CommandLineArgument;  // formulas are read as UTF-8

constexpr const char* kUsage =
    "usage: zrhost [--legacy] [--list] [--refuse NAME]... [--answer yes|no] [--event N,ARG1,ARG2,ARG3]...\n"
    "              [--com] [--file PATH|-]... [--repeat N] ADDIN [FORMULA...]\n"
    "  --file  formulas one per line (- for standard input), after those on the command line\n"
    "  --repeat  calls each formula N times and prints the mean time per call\n"
    "  --com  (Windows) play Excel's object model and print what the add-in did with it\n";

struct Options {
    Mode mode = Mode::Excel12;
    bool list = false;
    bool com = false;
    int answer = kAnswerNo;
    std::vector<std::string> refused;
    std::vector<std::string> events;  // application events, as argument lists
    std::vector<std::string> files;  // "-" is standard input
    long repeat = 0;                 // 0: no timing
    std::string addin;
    std::vector<std::string> formulas;
};

bool ParseOptions(int argc, char** argv, Options& o) {
    for (int i = 1; i < argc; ++i) {
        const std::string arg = CommandLineArgument(argv[i]);
        const bool hasValue = i + 1 < argc;
        if (arg == "--legacy") {
            o.mode = Mode::Legacy;
        } else if (arg == "--list") {
            o.list = true;
        } else if (arg == "--com") {
            o.com = true;
        } else if (arg == "--refuse" && hasValue) {
            o.refused.push_back(CommandLineArgument(argv[++i]));
        } else if (arg == "--event" && hasValue) {
            o.events.push_back(CommandLineArgument(argv[++i]));
        } else if (arg == "--file" && hasValue) {
            o.files.push_back(argv[++i]);  // as the system's file functions take it
        } else if (arg == "--repeat" && hasValue) {
            o.repeat = std::strtol(argv[++i], nullptr, 10);
            if (o.repeat < 1) return false;
        } else if (arg == "--answer" && hasValue) {
            const std::string answer = CommandLineArgument(argv[++i]);
            if (answer != "yes" && answer != "no") return false;
            o.answer = answer == "yes" ? kAnswerYes : kAnswerNo;
        } else if (arg.starts_with("--")) {
            return false;
        } else if (o.addin.empty()) {
            o.addin = arg;
        } else {
            o.formulas.push_back(arg);
        }
    }
    return !o.addin.empty();
}

bool ReadFormulaFiles(Options& o) {
    for (const std::string& path : o.files) {
        std::ifstream file;
        if (path != "-") {
            file.open(path);
            if (!file) {
                std::cerr << "zrhost: cannot read " << path << '\n';
                return false;
            }
        }
        for (std::string& formula : ReadFormulas(path == "-" ? std::cin : file))
            o.formulas.push_back(std::move(formula));
    }
    return true;
}

// Prints the formula's value and, with --repeat, the mean time of a call (the
// formula is parsed once, outside the timing).
void PrintEvaluation(Host& host, const std::string& text, long repeat) {
    if (repeat == 0) {
        std::cout << FormatValue(host.Evaluate(text)) << '\n';
        return;
    }
    const Formula formula = ParseFormula(text);
    Value value;
    const auto start = std::chrono::steady_clock::now();
    for (long i = 0; i < repeat; ++i) value = host.Call(formula.function, formula.arguments);
    const std::chrono::duration<double, std::micro> elapsed = std::chrono::steady_clock::now() - start;
    std::cout << FormatValue(value) << '\n'
              << "time: " << elapsed.count() / double(repeat) << " us per call over " << repeat << " calls\n";
}

// Prints the alerts and questions the add-in raised since the last call.
class EventPrinter {
public:
    explicit EventPrinter(const Host& host) : host_(host) {}

    void PrintNew() {
        const std::vector<Alert> alerts = host_.Alerts();
        for (; alerts_ < alerts.size(); ++alerts_) std::cout << "Alert: " << ToUtf8(alerts[alerts_].text) << '\n';
        const std::vector<Question> questions = host_.Questions();
        for (; questions_ < questions.size(); ++questions_) {
            const Question& q = questions[questions_];
            std::cout << "Question [" << ToUtf8(q.caption) << "]: " << ToUtf8(q.text) << '\n'
                      << "Answered: " << (q.answer == kAnswerYes ? "Yes" : "No") << '\n';
        }
    }

private:
    const Host& host_;
    size_t alerts_ = 0;
    size_t questions_ = 0;
};

}  // namespace

int main(int argc, char** argv) {
    Options options;
    if (!ParseOptions(argc, argv, options)) {
        std::cerr << kUsage;
        return 64;
    }
    if (!ReadFormulaFiles(options)) return 66;
    const std::unique_ptr<ObjectModelPlay> objectModel = options.com ? PlayObjectModel() : nullptr;
    Host host;
    for (const std::string& name : options.refused) host.RefuseRegistration(FromUtf8(name));
    host.SetQuestionAnswer(options.answer);
    std::string error;
    if (!host.Load(options.addin, options.mode, error)) {
        std::cerr << "zrhost: cannot load " << options.addin << ": " << error << '\n';
        return 1;
    }
    EventPrinter events(host);
    const int opened = host.AutoOpen();
    events.PrintNew();
    if (opened == 0) std::cout << "xlAutoOpen returned 0\n";
    if (options.list) host.ListFunctions(std::cout);
    int status = 0;
    for (const std::string& formula : options.formulas) {
        std::cout << formula << '\n';
        try {
            PrintEvaluation(host, formula, options.repeat);
        } catch (const FormulaError& e) {
            std::cout << "error: " << e.what() << '\n';
            status = 2;
        }
        events.PrintNew();
    }
    // "--event 11,\"Book1\",,TRUE": the arguments are read as a formula's.
    for (const std::string& event : options.events) {
        std::cout << "event " << event << '\n';
        try {
            std::vector<Value> values = ParseFormula("E(" + event + ")").arguments;
            const int number = values.empty() ? -1 : int(values[0].number);
            if (!values.empty()) values.erase(values.begin());
            std::cout << FormatValue(host.RaiseApplicationEvent(number, values)) << '\n';
        } catch (const FormulaError& e) {
            std::cout << "error: " << e.what() << '\n';
            status = 2;
        }
        events.PrintNew();
    }
    host.AutoClose();
    host.AutoRemove();
    events.PrintNew();
    host.Unload();
    if (objectModel)
        for (const std::string& line : objectModel->Log()) std::cout << line << '\n';
    return status;
}
