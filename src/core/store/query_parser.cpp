#include "core/store/query_parser.h"

#include "core/store/store_error.h"
#include "core/store/table_file.h"
#include "core/text/number_text.h"

namespace zorvane::store {

namespace {

enum class TokenKind { Word, Quoted, String, Number, Symbol, End };

struct Token {
    TokenKind kind;
    std::string text;
};

bool isWordByte(unsigned char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' ||
           c >= 0x80;
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

class Parser {
public:
    explicit Parser(std::string_view sql) : sql_(sql) { tokenize(); }

    SelectStatement parse() {
        expectWord("select");
        expectSymbol("*");
        expectWord("from");
        statement_.table = tableName();
        bool ordered = false;
        bool filtered = false;
        while (peek().kind != TokenKind::End) {
            if (isWord("order") && !ordered) {
                advance();
                expectWord("by");
                statement_.orderField = fieldReference();
                if (isWord("desc") || isWord("asc")) {
                    statement_.descending = isWord("desc");
                    advance();
                }
                ordered = true;
            } else if (isWord("where") && !filtered) {
                advance();
                condition();
                filtered = true;
            } else {
                fail("多余的“" + peek().text + "”");
            }
        }
        return statement_;
    }

private:
    void tokenize() {
        std::size_t i = 0;
        while (i < sql_.size()) {
            const char c = sql_[i];
            if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
                ++i;
            } else if (c == '"' || c == '\'') {
                std::string text;
                ++i;
                while (true) {
                    if (i >= sql_.size()) {
                        fail("引号没有闭合");
                    }
                    if (sql_[i] == c) {
                        if (i + 1 < sql_.size() && sql_[i + 1] == c) {
                            text += c;
                            i += 2;
                            continue;
                        }
                        ++i;
                        break;
                    }
                    text += sql_[i++];
                }
                tokens_.push_back({c == '"' ? TokenKind::Quoted : TokenKind::String, text});
            } else if (isDigit(c) || (c == '.' && i + 1 < sql_.size() && isDigit(sql_[i + 1]))) {
                const std::size_t start = i;
                while (i < sql_.size() && (isDigit(sql_[i]) || sql_[i] == '.')) {
                    ++i;
                }
                if (i < sql_.size() && (sql_[i] == 'e' || sql_[i] == 'E')) {
                    ++i;
                    if (i < sql_.size() && (sql_[i] == '+' || sql_[i] == '-')) {
                        ++i;
                    }
                    while (i < sql_.size() && isDigit(sql_[i])) {
                        ++i;
                    }
                }
                tokens_.push_back({TokenKind::Number, std::string(sql_.substr(start, i - start))});
            } else if (isWordByte(static_cast<unsigned char>(c))) {
                const std::size_t start = i;
                while (i < sql_.size() && isWordByte(static_cast<unsigned char>(sql_[i]))) {
                    ++i;
                }
                tokens_.push_back({TokenKind::Word, std::string(sql_.substr(start, i - start))});
            } else {
                std::string symbol(1, c);
                if ((c == '<' || c == '>') && i + 1 < sql_.size() &&
                    (sql_[i + 1] == '=' || (c == '<' && sql_[i + 1] == '>'))) {
                    symbol += sql_[i + 1];
                }
                if (std::string_view("*.():=<>-").find(c) == std::string_view::npos) {
                    fail("无法识别的字符“" + symbol + "”");
                }
                tokens_.push_back({TokenKind::Symbol, symbol});
                i += symbol.size();
            }
        }
        tokens_.push_back({TokenKind::End, "结尾"});
    }

    const Token& peek(std::size_t ahead = 0) const {
        return tokens_[std::min(position_ + ahead, tokens_.size() - 1)];
    }
    const Token& advance() {
        const Token& token = peek();
        if (position_ < tokens_.size() - 1) {
            ++position_;
        }
        return token;
    }
    bool isWord(std::string_view word) const {
        return peek().kind == TokenKind::Word && detail::sameNameIgnoringCase(peek().text, word);
    }
    bool isSymbol(std::string_view symbol) const {
        return peek().kind == TokenKind::Symbol && peek().text == symbol;
    }
    void expectWord(std::string_view word) {
        if (!isWord(word)) {
            fail("此处应为“" + std::string(word) + "”");
        }
        advance();
    }
    void expectSymbol(std::string_view symbol) {
        if (!isSymbol(symbol)) {
            fail("此处应为“" + std::string(symbol) + "”");
        }
        advance();
    }

    std::string identifier() {
        if (peek().kind != TokenKind::Word && peek().kind != TokenKind::Quoted) {
            fail("此处应为名称");
        }
        return advance().text;
    }

    std::string tableName() {
        std::string name = identifier();
        // A table may be written with its file ending, as in TreName.DB.
        if (isSymbol(".") && peek(1).kind == TokenKind::Word &&
            detail::sameNameIgnoringCase(peek(1).text, "db")) {
            advance();
            name += "." + advance().text;
        }
        return detail::normalizeTableName(name);
    }

    std::string fieldReference() {
        std::string name = identifier();
        if (!isSymbol(".")) {
            return name;
        }
        advance();
        if (detail::sameNameIgnoringCase(peek().text, "db") && isSymbol(".") == false &&
            peek(1).kind == TokenKind::Symbol && peek(1).text == ".") {
            advance();
            advance();
            name += ".db";
        }
        if (!detail::sameNameIgnoringCase(detail::normalizeTableName(name), statement_.table)) {
            fail("字段限定的表“" + name + "”不是所查询的表");
        }
        return identifier();
    }

    void condition() {
        term();
        while (isWord("and")) {
            advance();
            term();
        }
    }

    void term() {
        if (isSymbol("(")) {
            advance();
            condition();
            expectSymbol(")");
            return;
        }
        QueryCondition condition;
        condition.field = fieldReference();
        if (peek().kind != TokenKind::Symbol ||
            std::string_view("= <> < <= > >=").find(peek().text) == std::string_view::npos ||
            peek().text == " ") {
            fail("此处应为比较符号");
        }
        condition.op = advance().text;
        if (isSymbol(":")) {
            advance();
            condition.parameter = identifier();
        } else if (peek().kind == TokenKind::String) {
            condition.literal = Value(advance().text);
        } else {
            const bool negative = isSymbol("-");
            if (negative) {
                advance();
            }
            if (peek().kind != TokenKind::Number) {
                fail("此处应为参数、数值或文本");
            }
            const auto number = text::parseDecimal(advance().text);
            if (!number) {
                fail("数值写法有误");
            }
            condition.literal = Value(negative ? -*number : *number);
        }
        statement_.conditions.push_back(std::move(condition));
    }

    [[noreturn]] void fail(const std::string& what) const {
        throw StoreError("查询语句有误（" + what + "）：" + std::string(sql_));
    }

    std::string_view sql_;
    std::vector<Token> tokens_;
    std::size_t position_ = 0;
    SelectStatement statement_;
};

} // namespace

SelectStatement parseSelect(std::string_view sql) {
    return Parser(sql).parse();
}

} // namespace zorvane::store
