#include "tools/dbbuild/formula_markup.h"

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <utility>

namespace zorvane::dbbuild {

namespace {

using Node = FormulaNode;
using Kind = FormulaNodeKind;

Node makeRow() {
    return Node{Kind::Row, {}, {}};
}
Node makeText(std::string text) {
    return Node{Kind::Text, std::move(text), {}};
}

// A place in the source, for messages.
struct Where {
    int line = 1;
    int column = 1;
};

class Parser {
public:
    explicit Parser(std::string_view source)
        : source_(source), multiLine_(source.find('\n') != std::string_view::npos) {}

    FormulaTree parse() {
        FormulaTree tree;
        while (true) {
            tree.lines.push_back(parseRow(nullptr));
            if (atEnd()) {
                return tree;
            }
            skipLineBreak();
        }
    }

private:
    std::string_view source_;
    bool multiLine_;
    std::size_t pos_ = 0; // byte offset of the next character
    Where here_;          // its line and column

    bool atEnd() const { return pos_ >= source_.size(); }

    bool atLineBreak() const {
        if (atEnd()) {
            return false;
        }
        if (source_[pos_] == '\n') {
            return true;
        }
        return source_[pos_] == '\r' && pos_ + 1 < source_.size() && source_[pos_ + 1] == '\n';
    }

    void skipLineBreak() {
        pos_ += source_[pos_] == '\r' ? 2 : 1;
        ++here_.line;
        here_.column = 1;
    }

    // The byte length of the UTF-8 character at pos_; fails on anything that is not UTF-8
    // (stray continuation bytes, overlong forms, surrogates, values above U+10FFFF).
    std::size_t charLength() const {
        const auto lead = static_cast<unsigned char>(source_[pos_]);
        std::size_t length = 0;
        std::uint32_t value = 0;
        std::uint32_t smallest = 0;
        if (lead < 0x80) {
            return 1;
        } else if ((lead & 0xE0) == 0xC0) {
            length = 2;
            value = lead & 0x1Fu;
            smallest = 0x80;
        } else if ((lead & 0xF0) == 0xE0) {
            length = 3;
            value = lead & 0x0Fu;
            smallest = 0x800;
        } else if ((lead & 0xF8) == 0xF0) {
            length = 4;
            value = lead & 0x07u;
            smallest = 0x10000;
        } else {
            fail(here_, "不是有效的 UTF-8 字符");
        }
        if (pos_ + length > source_.size()) {
            fail(here_, "不是有效的 UTF-8 字符");
        }
        for (std::size_t i = 1; i < length; ++i) {
            const auto next = static_cast<unsigned char>(source_[pos_ + i]);
            if ((next & 0xC0) != 0x80) {
                fail(here_, "不是有效的 UTF-8 字符");
            }
            value = (value << 6) | (next & 0x3Fu);
        }
        if (value < smallest || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) {
            fail(here_, "不是有效的 UTF-8 字符");
        }
        return length;
    }

    // The next character as UTF-8 bytes, consumed.
    std::string takeChar() {
        const std::size_t length = charLength();
        std::string text(source_.substr(pos_, length));
        pos_ += length;
        ++here_.column;
        return text;
    }

    char peek() const { return atEnd() ? '\0' : source_[pos_]; }

    [[noreturn]] void fail(Where where, const std::string& what) const {
        std::string message = "公式源第 ";
        if (multiLine_) {
            message += std::to_string(where.line) + " 行第 ";
        }
        message += std::to_string(where.column) + " 个字符处" + what;
        throw FormulaSyntaxError(message, where.line, where.column);
    }

    // Items up to the end of the line, or up to the `}` closing the group opened at `open`.
    Node parseRow(const Where* open) {
        Node row = makeRow();
        while (true) {
            if (atEnd() || atLineBreak()) {
                if (open != nullptr) {
                    fail(here_,
                         "缺少 }，与第 " + std::to_string(open->column) + " 个字符处的 { 配对");
                }
                return row;
            }
            const char c = peek();
            if (c == '}') {
                if (open == nullptr) {
                    fail(here_, "多了一个 }，前面没有与它配对的 {");
                }
                takeChar();
                return row;
            }
            if (c == '_' || c == '^') {
                // Scripts right after an atom are taken together with it below, so one here
                // has no base.
                fail(here_, std::string("的 ") + c + " 前面缺少底数");
            }
            Node atom = parseAtom();
            Node withScripts = parseScripts(std::move(atom));
            if (withScripts.kind == Kind::Text && !row.children.empty() &&
                row.children.back().kind == Kind::Text) {
                row.children.back().text += withScripts.text;
            } else {
                row.children.push_back(std::move(withScripts));
            }
        }
    }

    // One character, escape, group, fraction or root. The caller has checked that something
    // other than a line break, `}`, `_` or `^` comes next.
    Node parseAtom() {
        const Where start = here_;
        if (peek() == '{') {
            takeChar();
            return parseRow(&start);
        }
        if (peek() != '\\') {
            return makeText(takeChar());
        }
        takeChar();
        if (atEnd() || atLineBreak()) {
            fail(start, "的 \\ 后面缺少命令名或字符");
        }
        const char next = peek();
        if (next == '{' || next == '}' || next == '_' || next == '^' || next == '\\') {
            return makeText(takeChar());
        }
        std::string name;
        while (!atEnd() && ((peek() >= 'a' && peek() <= 'z') || (peek() >= 'A' && peek() <= 'Z'))) {
            name += takeChar();
        }
        if (name == "frac") {
            Node fraction{Kind::Fraction, {}, {}};
            fraction.children.push_back(requireGroup("缺少 \\frac 的分子 {…}"));
            fraction.children.push_back(requireGroup("缺少 \\frac 的分母 {…}"));
            return fraction;
        }
        if (name == "sqrt") {
            Node root{Kind::Sqrt, {}, {}};
            root.children.push_back(requireGroup("缺少 \\sqrt 的被开方数 {…}"));
            return root;
        }
        if (name.empty()) {
            name = takeChar();
        }
        fail(start, "有未知的命令 \\" + name);
    }

    Node requireGroup(const std::string& missing) {
        const Where start = here_;
        if (peek() != '{') {
            fail(here_, missing);
        }
        takeChar();
        return parseRow(&start);
    }

    // Any `_x` and `^x` after `base`; returns `base` itself when there are none.
    Node parseScripts(Node base) {
        if (peek() != '_' && peek() != '^') {
            return base;
        }
        if (base.kind == Kind::Text && (base.text == " " || base.text == "\t")) {
            // A script on a blank is a slip, as in "a ^2".
            fail(here_, std::string("的 ") + peek() + " 前面缺少底数");
        }
        Node scripts{Kind::Scripts, {}, {}};
        scripts.children.push_back(std::move(base));
        scripts.children.push_back(makeRow());
        scripts.children.push_back(makeRow());
        bool seen[2] = {false, false};
        while (peek() == '_' || peek() == '^') {
            const Where where = here_;
            const bool sub = peek() == '_';
            const char* name = sub ? "下标" : "上标";
            takeChar();
            if (seen[sub ? 0 : 1]) {
                fail(where, std::string("重复给出了") + name + "，一个底数只能有一个" + name);
            }
            seen[sub ? 0 : 1] = true;
            const char c = peek();
            if (atEnd() || atLineBreak() || c == '}' || c == '_' || c == '^' || c == ' ' ||
                c == '\t') {
                fail(where, std::string("的 ") + (sub ? '_' : '^') + " 后面缺少" + name);
            }
            Node argument = parseAtom();
            if (argument.kind != Kind::Row) {
                Node row = makeRow();
                row.children.push_back(std::move(argument));
                argument = std::move(row);
            }
            scripts.children[sub ? 1 : 2] = std::move(argument);
        }
        return scripts;
    }
};

void describeNode(const Node& node, std::string& out);

void describeItems(const Node& row, std::string& out) {
    for (std::size_t i = 0; i < row.children.size(); ++i) {
        if (i > 0) {
            out += ' ';
        }
        describeNode(row.children[i], out);
    }
}

void describeGroup(const Node& row, std::string& out) {
    out += '{';
    describeItems(row, out);
    out += '}';
}

void describeNode(const Node& node, std::string& out) {
    switch (node.kind) {
    case Kind::Text:
        out += '"';
        for (const char c : node.text) {
            if (c == '"' || c == '\\') {
                out += '\\';
            }
            out += c;
        }
        out += '"';
        break;
    case Kind::Row:
        describeGroup(node, out);
        break;
    case Kind::Scripts:
        describeNode(node.children[0], out);
        if (!node.children[1].children.empty()) {
            out += '_';
            describeGroup(node.children[1], out);
        }
        if (!node.children[2].children.empty()) {
            out += '^';
            describeGroup(node.children[2], out);
        }
        break;
    case Kind::Fraction:
        out += "\\frac";
        describeGroup(node.children[0], out);
        describeGroup(node.children[1], out);
        break;
    case Kind::Sqrt:
        out += "\\sqrt";
        describeGroup(node.children[0], out);
        break;
    }
}

} // namespace

FormulaTree parseFormula(const std::string& source) {
    return Parser(source).parse();
}

std::string describeFormula(const FormulaTree& tree) {
    std::string out;
    for (std::size_t i = 0; i < tree.lines.size(); ++i) {
        if (i > 0) {
            out += '\n';
        }
        describeItems(tree.lines[i], out);
    }
    return out;
}

} // namespace zorvane::dbbuild
