#pragma once
// The formula markup of the reference data: a `graphic` value of a table is written in it and
// drawn to a picture by the database builder. This part only reads the markup into a tree; it
// knows nothing about fonts or pictures.
//
// Markup: ordinary UTF-8 text stands for itself; `x_i`, `x_{...}` put a subscript and `x^2`,
// `x^{...}` a superscript on the character (or group, fraction, root) before them, both may
// follow one base in either order; `\frac{num}{den}` and `\sqrt{radicand}`; `{...}` groups
// without drawing anything; `\{ \} \_ \^ \\` are the literal characters; a line break starts
// a new line of the picture.

#include <stdexcept>
#include <string>
#include <vector>

namespace zorvane::dbbuild {

enum class FormulaNodeKind {
    Text,     // literal characters, in `text`
    Row,      // a sequence drawn side by side, in `children`
    Scripts,  // children: base, subscript (Row), superscript (Row); an empty Row is absent
    Fraction, // children: numerator (Row), denominator (Row)
    Sqrt,     // children: radicand (Row)
};

struct FormulaNode {
    FormulaNodeKind kind = FormulaNodeKind::Row;
    std::string text; // UTF-8, Text nodes only
    std::vector<FormulaNode> children;

    bool operator==(const FormulaNode&) const = default;
};

struct FormulaTree {
    std::vector<FormulaNode> lines; // one Row per line of the source, at least one
};

// Malformed markup. line() and column() are 1-based and count characters, not bytes.
class FormulaSyntaxError : public std::runtime_error {
public:
    FormulaSyntaxError(const std::string& message, int line, int column)
        : std::runtime_error(message), line_(line), column_(column) {}
    int line() const { return line_; }
    int column() const { return column_; }

private:
    int line_;
    int column_;
};

// Reads the markup. Throws FormulaSyntaxError for unbalanced braces, \frac without its two
// groups, \sqrt without its group, an unknown backslash command, _ or ^ with nothing after it
// (or nothing before it, or twice on one base), and bytes that are not UTF-8.
// A "\r\n" counts as one line break.
FormulaTree parseFormula(const std::string& source);

// A compact text form of the tree for diagnostics: text in double quotes, groups in braces,
// e.g. `"P"_{"d"} " = " \frac{"a"}{"b"}`; lines are separated by "\n".
std::string describeFormula(const FormulaTree& tree);

} // namespace zorvane::dbbuild
