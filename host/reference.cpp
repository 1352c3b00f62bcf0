// zrreference: writes the function reference of an add-in from what it
// registers (names, type texts, argument names and helps, help topics) and
// from formulas evaluated through the host, so that no page is written by
// hand and every result shown is one the add-in computed.
//   zrreference ADDIN OUTDIR
// writes OUTDIR/reference/*.md and OUTDIR/help/ (the same pages as HTML, the
// contents file and the help project whose [ALIAS] and [MAP] give each
// registered help context number its page).
#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>

#include "host/host.h"

namespace {

using namespace Zr::Host;
namespace fs = std::filesystem;

// Example values by argument name: parameters a distribution accepts, fixed
// seeds so that random columns come out the same at every build.
const std::map<std::string, std::string> kExampleValues = {
    {"size", "5"},        {"algorithm", "0"},      {"seed1", "1"},          {"seed2", "2"},
    {"useInvertFunc", "FALSE"}, {"useAntithetic", "FALSE"}, {"useResampling", "FALSE"},
    {"alpha", "2"},       {"beta", "3"},           {"n", "10"},             {"n1", "5"},
    {"n2", "10"},         {"gamma", "0.5"},        {"delta", "2"},          {"lambda", "1"},
    {"xi", "0"},          {"m", "0"},              {"b", "1"},              {"s", "0.5"},
    {"min", "0"},         {"max", "4"},            {"mode", "1"},           {"mu", "1"},
    {"sigma", "2"},       {"mean", "2"},           {"stdev", "0.5"},        {"skew", "0.5"},
    {"kurt", "5"},        {"x", "0.5"},            {"k", "3"},              {"x1", "0.3"},
    {"x2", "-0.2"},       {"corr", "0.5"},         {"isCumulative", "TRUE"}, {"prob", "0.9"},
    {"calcMean", "TRUE"}, {"calcStdev", "TRUE"},   {"cov", "{1,0.5;0.5,2}"}, {"cor", "{1,0.5;0.5,1}"},
    {"data", "{1,2;2,3.5;3,3;4,5.5}"}};
// Array arguments whose name is also a scalar's.
const std::map<std::string, std::string> kArrayValues = {{"mean", "{0,1}"}, {"stdev", "{1,2}"}};
// Functions whose examples are written here rather than taken from the table
// (the arguments as typed): values the table's do not fit, or more cases.
const std::map<std::string, std::vector<std::string>> kOwnExamples = {
    {"ZrBetaParam", {"0.4, 0.2"}},
    {"ZrNormDist", {"1.96, TRUE", "0, FALSE"}},
    {"ZrRandNorm", {"5, 0, 1, 2, FALSE, FALSE, FALSE", "4, 0, 1, 2, FALSE, TRUE, TRUE"}},
};

constexpr const char* kCommand = "A command Excel calls; it is not entered in cells.";
constexpr const char* kErrors =
    "#VALUE! when an argument lies outside the range its description gives; an argument that cannot be read as "
    "its type gives #VALUE! or a text naming the argument; #N/A while Excel's Function Arguments dialog evaluates "
    "the formula.";

struct Cell {
    Cell(std::string t, std::string l = {}, bool c = false) : text(std::move(t)), link(std::move(l)), code(c) {}
    Cell(const char* t) : text(t) {}
    std::string text;
    std::string link;  // page name without extension
    bool code = false;
};
using Row = std::vector<Cell>;
struct Block {
    enum Kind { Heading, Subheading, Paragraph, Code, Table };
    Block(Kind k, std::string t = {}, std::vector<Row> r = {}) : kind(k), text(std::move(t)), rows(std::move(r)) {}
    Kind kind;
    std::string text;
    std::vector<Row> rows;  // Table: the first row is the header
};
struct Page {
    std::string file;  // without extension
    std::string title;
    std::vector<Block> blocks;
};

std::string Number(double x) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.10g", x);
    return buffer;
}

// A result as an array constant would write it: {1; 2; 3} for a column.
std::string Shown(const Value& v) {
    switch (v.kind) {
        case ValueKind::Number: return Number(v.number);
        case ValueKind::Text: return "\"" + ToUtf8(v.text) + "\"";
        case ValueKind::Array: {
            std::string out = "{";
            for (int r = 0; r < v.rows; ++r)
                for (int c = 0; c < v.columns; ++c)
                    out += (r == 0 && c == 0 ? "" : c == 0 ? "; " : ", ") + Shown(v.At(r, c));
            return out + "}";
        }
        default: return FormatValue(v);
    }
}

// Registration pads the last help to end in ".."; the page shows one full stop.
std::string HelpText(std::u16string text) {
    while (!text.empty() && (text.back() == u'.' || text.back() == u' ')) text.pop_back();
    return text.empty() ? "" : ToUtf8(text) + ".";
}

std::string TypeName(char letter) {
    switch (letter) {
        case 'B': return "number";
        case 'J': case 'I': return "integer";
        case 'A': return "TRUE or FALSE";
        case 'Q': case 'P': return "array or range";
        case 'C': return "text";
        default: return std::string(1, letter);
    }
}

// The argument letters of a type text: the letters after the result's.
std::string ArgumentLetters(const std::u16string& typeText) {
    std::string letters;
    for (size_t i = 1; i < typeText.size(); ++i)
        if (std::isalpha(typeText[i])) letters += char(typeText[i]);
    return letters;
}

struct Entry {
    Registration r;
    std::string name, file;
    int topic = 0;
    bool command = false;
};

// Hidden commands carry the module's path in their names; pages name them by their event.
std::string DisplayName(const Registration& r) {
    std::string name = ToUtf8(r.FunctionName());
    if (name.starts_with("xll_")) name = "xll_<module>_" + name.substr(name.rfind('_') + 1);
    return name;
}

class Generator {
public:
    explicit Generator(Host& host) : host_(host) {}

    Page FunctionPage(const Entry& e) {
        const auto names = e.r.ArgumentNames();
        const auto helps = e.r.ArgumentHelps();
        const std::string letters = ArgumentLetters(e.r.TypeText());
        Page page{e.file, e.name, {}};
        page.blocks.push_back({Block::Heading, e.name});
        page.blocks.push_back({Block::Paragraph, e.command && e.r.FunctionHelp().empty()
                                                     ? kCommand
                                                     : HelpText(e.r.FunctionHelp())});
        std::string syntax = e.name + "(";
        for (size_t i = 0; i < names.size(); ++i) syntax += (i ? ", " : "") + ToUtf8(names[i]);
        page.blocks.push_back({Block::Subheading, "Syntax"});
        page.blocks.push_back({Block::Code, syntax + ")"});
        if (!names.empty()) {
            Block table{Block::Table, "", {{{"Argument"}, {"Type"}, {"Description"}}}};
            for (size_t i = 0; i < names.size(); ++i)
                table.rows.push_back({{ToUtf8(names[i]), "", true},
                                      {TypeName(i < letters.size() ? letters[i] : '?')},
                                      {i < helps.size() ? HelpText(helps[i]) : ""}});
            page.blocks.push_back({Block::Subheading, "Arguments"});
            page.blocks.push_back(table);
        }
        if (e.command) return page;
        const auto own = kOwnExamples.find(e.name);
        const std::vector<std::string> examples =
            own != kOwnExamples.end() ? own->second : std::vector{Arguments(names, letters)};
        Block shown{Block::Table, "", {{{"Formula"}, {"Result"}}}};
        Value first;
        for (const std::string& a : examples) {
            const Value v = Evaluate(e.name + "(" + a + ")");
            if (shown.rows.size() == 1) first = v;
            shown.rows.push_back({{"=" + e.name + "(" + a + ")", "", true}, {Shown(v), "", true}});
        }
        page.blocks.push_back({Block::Subheading, "Returns"});
        page.blocks.push_back({Block::Paragraph, Returns(first, names)});
        if (!names.empty()) {
            page.blocks.push_back({Block::Subheading, "Errors"});
            Block errors = Errors(e.name, names, letters, examples[0]);
            page.blocks.push_back({Block::Paragraph, std::string(kErrors) + (errors.rows.size() > 1 ? " For example:" : "")});
            if (errors.rows.size() > 1) page.blocks.push_back(errors);
        }
        page.blocks.push_back({Block::Subheading, "Examples"});
        page.blocks.push_back(shown);
        return page;
    }

private:
    static std::string Arguments(const std::vector<std::u16string>& names, const std::string& letters) {
        std::string out;
        for (size_t i = 0; i < names.size(); ++i) {
            const std::string name = ToUtf8(names[i]);
            const bool array = i < letters.size() && letters[i] == 'Q';
            const auto& table = array && kArrayValues.count(name) ? kArrayValues : kExampleValues;
            const auto it = table.find(name);
            out += (i ? ", " : "") + (it == table.end() ? std::string("1") : it->second);
        }
        return out;
    }

    Value Evaluate(const std::string& formula) {
        try {
            return host_.Evaluate(formula);
        } catch (const FormulaError& e) {
            std::cerr << "zrreference: " << formula << ": " << e.what() << '\n';
            std::exit(1);
        }
    }

    static std::string Returns(const Value& v, const std::vector<std::u16string>& names) {
        const bool sized = !names.empty() && names[0] == u"size";
        if (v.Is(ValueKind::Number)) return "A number.";
        if (v.Is(ValueKind::Text)) return "A text.";
        if (!v.Is(ValueKind::Array)) return "An error value for the example's inputs.";
        const std::string shape = std::to_string(v.rows) + " x " + std::to_string(v.columns);
        if (sized && v.columns == 1) return "A column of `size` numbers: enter it as an array formula over `size` cells.";
        if (sized)
            return "A matrix of `size` rows, one column per variable (" + shape +
                   " in the example); enter it as an array formula.";
        if (v.rows == 4 && v.columns == 1)
            return "A 4 x 1 column: mean, standard deviation, skewness and kurtosis; enter it as an array formula.";
        if (v.columns == 1) return "A column of " + std::to_string(v.rows) + " numbers; enter it as an array formula.";
        return "A matrix whose size follows its inputs (" + shape + " in the example); enter it as an array formula.";
    }

    // The first example with each numeric argument replaced in turn by the
    // first of -1 and 0 that gives an error, each matrix by a single row, and
    // the first argument by a text.
    Block Errors(const std::string& name, const std::vector<std::u16string>& names, const std::string& letters,
                 const std::string& arguments) {
        std::vector<std::string> values;
        for (size_t start = 0, comma;; start = comma + 2) {
            // Example arguments are split at ", " (array constants use "," alone).
            comma = arguments.find(", ", start);
            values.push_back(arguments.substr(start, comma == std::string::npos ? comma : comma - start));
            if (comma == std::string::npos) break;
        }
        auto join = [&](size_t i, const std::string& v) {
            std::string out;
            for (size_t j = 0; j < values.size(); ++j) out += (j ? ", " : "") + (j == i ? v : values[j]);
            return name + "(" + out + ")";
        };
        Block table{Block::Table, "", {{{"Formula"}, {"Result"}}}};
        auto add = [&](const std::string& formula) {
            const Value v = Evaluate(formula);
            // A text is the conversion message of an argument that cannot be read.
            if (!v.Is(ValueKind::Error) && !v.Is(ValueKind::Text)) return false;
            table.rows.push_back({{"=" + formula, "", true}, {Shown(v), "", true}});
            return true;
        };
        for (size_t i = 0; i < names.size() && i < values.size(); ++i) {
            if (std::string("BJI").find(letters[i]) != std::string::npos) {
                for (const char* bad : {"-1", "0"})
                    if (values[i] != bad && add(join(i, bad))) break;
            } else if (letters[i] == 'Q') {
                add(join(i, "{1,2}"));  // a single row
            }
        }
        if (!values.empty() && !names.empty()) add(join(0, "\"abc\""));
        return table;
    }

    Host& host_;
};

// ---- Markdown and HTML from the same blocks ----------------------------------------

std::string Escaped(const std::string& s) {
    std::string out;
    for (char c : s) out += c == '<' ? "&lt;" : c == '>' ? "&gt;" : c == '&' ? "&amp;" : c == '"' ? "&quot;" : std::string(1, c);
    return out;
}

// Text outside code spans: < and > would read as HTML tags.
std::string MarkdownText(const std::string& s) {
    std::string out;
    for (char c : s) out += c == '<' ? "&lt;" : c == '>' ? "&gt;" : std::string(1, c);
    return out;
}

std::string MarkdownCell(const Cell& c) {
    std::string text;
    for (char ch : c.text) text += ch == '|' ? std::string("\\|") : std::string(1, ch);
    text = c.code ? "`" + text + "`" : MarkdownText(text);
    return c.link.empty() ? text : "[" + text + "](" + c.link + ".md)";
}

std::string HtmlCell(const Cell& c) {
    std::string text = Escaped(c.text);
    if (c.code) text = "<code>" + text + "</code>";
    return c.link.empty() ? text : "<a href=\"" + c.link + ".html\">" + text + "</a>";
}

// `code` spans of a paragraph in HTML.
std::string HtmlText(const std::string& s) {
    std::string out;
    bool open = false;
    for (char c : Escaped(s)) {
        if (c == '`') {
            out += open ? "</code>" : "<code>";
            open = !open;
        } else {
            out += c;
        }
    }
    return out;
}

std::string Markdown(const Page& page) {
    std::string out;
    for (const Block& b : page.blocks) {
        switch (b.kind) {
            case Block::Heading: out += "# " + MarkdownText(b.text) + "\n\n"; break;
            case Block::Subheading: out += "## " + b.text + "\n\n"; break;
            case Block::Paragraph: out += MarkdownText(b.text) + "\n\n"; break;
            case Block::Code: out += "```\n" + b.text + "\n```\n\n"; break;
            case Block::Table:
                for (size_t r = 0; r < b.rows.size(); ++r) {
                    for (const Cell& c : b.rows[r]) out += "| " + MarkdownCell(c) + " ";
                    out += "|\n";
                    if (r == 0) {
                        for (size_t i = 0; i < b.rows[0].size(); ++i) out += "|---";
                        out += "|\n";
                    }
                }
                out += "\n";
                break;
        }
    }
    return out;
}

std::string Html(const Page& page) {
    std::string out = "<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\">"
                      "<title>" + Escaped(page.title) + "</title></head><body>\n";
    for (const Block& b : page.blocks) {
        switch (b.kind) {
            case Block::Heading: out += "<h1>" + Escaped(b.text) + "</h1>\n"; break;
            case Block::Subheading: out += "<h2>" + Escaped(b.text) + "</h2>\n"; break;
            case Block::Paragraph: out += "<p>" + HtmlText(b.text) + "</p>\n"; break;
            case Block::Code: out += "<pre>" + Escaped(b.text) + "</pre>\n"; break;
            case Block::Table:
                out += "<table border=\"1\" cellpadding=\"3\">\n";
                for (size_t r = 0; r < b.rows.size(); ++r) {
                    out += "<tr>";
                    for (const Cell& c : b.rows[r]) out += (r ? "<td>" : "<th>") + HtmlCell(c) + (r ? "</td>" : "</th>");
                    out += "</tr>\n";
                }
                out += "</table>\n";
                break;
        }
    }
    return out + "</body></html>\n";
}

void Write(const fs::path& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary);
    out << text;
    if (!out) {
        std::cerr << "zrreference: cannot write " << path << '\n';
        std::exit(1);
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: zrreference ADDIN OUTDIR\n";
        return 64;
    }
    Host host;
    std::string error;
    if (!host.Load(argv[1], error) || host.AutoOpen() == 0) {
        std::cerr << "zrreference: cannot open " << argv[1] << ": " << error << '\n';
        return 1;
    }
    std::vector<Entry> entries;
    for (const Registration& r : host.ActiveFunctions()) {
        Entry e{r, DisplayName(r), "", 0, r.MacroType() == 2};
        const std::u16string topic = r.HelpTopic();
        e.topic = std::atoi(ToUtf8(topic.substr(topic.rfind(u'!') + 1)).c_str());
        e.file = e.name;
        if (const size_t at = e.file.find("<module>"); at != std::string::npos) e.file.replace(at, 8, "module");
        entries.push_back(e);
    }
    std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) { return a.topic < b.topic; });

    Generator generator(host);
    std::vector<Page> pages;
    Page index{"index", "ZrRand3 function reference", {}};
    index.blocks.push_back({Block::Heading, index.title});
    index.blocks.push_back({Block::Paragraph,
                            "Every worksheet function of the add-in, generated from its declarations; every result "
                            "shown was computed by the add-in when this reference was built. The help context is "
                            "the number Excel's \"Help on this function\" opens in ZrRand3.chm."});
    for (bool commands : {false, true}) {
        index.blocks.push_back({Block::Subheading, commands ? "Commands" : "Worksheet functions"});
        Block table{Block::Table, "", {{{"Function"}, {"Description"}, {"Help context"}}}};
        for (const Entry& e : entries) {
            if (e.command != commands) continue;
            const std::string help = HelpText(e.r.FunctionHelp());
            table.rows.push_back({{e.name, e.file, true}, {help.empty() ? kCommand : help}, {std::to_string(e.topic)}});
            pages.push_back(generator.FunctionPage(e));
        }
        index.blocks.push_back(table);
    }
    pages.insert(pages.begin(), index);
    host.AutoClose();
    host.Unload();

    const fs::path out = argv[2];
    fs::create_directories(out / "reference");
    fs::create_directories(out / "help");
    std::string files, contents, alias, map;
    for (const Page& p : pages) {
        Write(out / "reference" / (p.file + ".md"), Markdown(p));
        Write(out / "help" / (p.file + ".html"), Html(p));
        files += p.file + ".html\n";
        contents += "<LI><OBJECT type=\"text/sitemap\"><param name=\"Name\" value=\"" + Escaped(p.title) +
                    "\"><param name=\"Local\" value=\"" + p.file + ".html\"></OBJECT>\n";
    }
    for (const Entry& e : entries) {
        alias += "IDH_" + std::to_string(e.topic) + "=" + e.file + ".html\n";
        map += "#define IDH_" + std::to_string(e.topic) + " " + std::to_string(e.topic) + "\n";
    }
    Write(out / "help" / "ZrRand3.hhc",
          "<HTML><BODY>\n<OBJECT type=\"text/site properties\"></OBJECT>\n<UL>\n" + contents + "</UL>\n</BODY></HTML>\n");
    Write(out / "help" / "ZrRand3.hhp",
          "[OPTIONS]\nCompatibility=1.1 or later\nCompiled file=ZrRand3.chm\nContents file=ZrRand3.hhc\n"
          "Default topic=index.html\nLanguage=0x409 English (United States)\nTitle=ZrRand3 function reference\n\n"
          "[FILES]\n" + files + "\n[ALIAS]\n" + alias + "\n[MAP]\n" + map);
    return 0;
}
