#include "framework/form_parser.h"

#include <cctype>

EFormError::EFormError(const std::string& description, int line, const std::string& message)
    : std::runtime_error("descrierea " + description + ", linia " + std::to_string(line) + ": " + message),
      description_(description),
      line_(line) {}

namespace {

struct Token {
    enum class Kind { End, Identifier, Integer, String, Binary, Symbol };
    Kind kind = Kind::End;
    std::string text;  // identifier, decoded string, symbol, or hex digits
    std::int64_t integer = 0;
    int line = 1;
};

bool IsIdentStart(char c) { return std::isalpha(static_cast<unsigned char>(c)) || c == '_'; }
bool IsIdentChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '.'; }
bool IsDigit(char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; }
bool IsHexDigit(char c) { return std::isxdigit(static_cast<unsigned char>(c)) != 0; }

class Tokenizer {
public:
    Tokenizer(std::string_view text, const std::string& name) : text_(text), name_(name) {}

    Token Next() {
        SkipBlanks();
        Token t;
        t.line = line_;
        if (pos_ >= text_.size()) return t;
        char c = text_[pos_];
        if (IsIdentStart(c)) {
            t.kind = Token::Kind::Identifier;
            while (pos_ < text_.size() && IsIdentChar(text_[pos_])) t.text += text_[pos_++];
        } else if (IsDigit(c) || c == '$' ||
                   (c == '-' && pos_ + 1 < text_.size() && (IsDigit(text_[pos_ + 1]) || text_[pos_ + 1] == '$'))) {
            t.kind = Token::Kind::Integer;
            t.integer = ReadInteger();
        } else if (c == '\'' || c == '#') {
            t.kind = Token::Kind::String;
            t.text = ReadString();
        } else if (c == '{') {
            t.kind = Token::Kind::Binary;
            t.text = ReadHex();
        } else if (std::string_view("=:[](),+").find(c) != std::string_view::npos) {
            t.kind = Token::Kind::Symbol;
            t.text = std::string(1, c);
            ++pos_;
        } else {
            Fail("caracter neasteptat '" + std::string(1, c) + "'");
        }
        return t;
    }

    [[noreturn]] void Fail(const std::string& message) const { throw EFormError(name_, line_, message); }

private:
    void SkipBlanks() {
        while (pos_ < text_.size() && std::isspace(static_cast<unsigned char>(text_[pos_]))) {
            if (text_[pos_] == '\n') ++line_;
            ++pos_;
        }
    }

    std::int64_t ReadInteger() {
        bool negative = text_[pos_] == '-';
        if (negative) ++pos_;
        bool hex = text_[pos_] == '$';
        if (hex) ++pos_;
        size_t start = pos_;
        std::int64_t value = 0;
        while (pos_ < text_.size() && (hex ? IsHexDigit(text_[pos_]) : IsDigit(text_[pos_]))) {
            char d = static_cast<char>(std::tolower(static_cast<unsigned char>(text_[pos_++])));
            value = value * (hex ? 16 : 10) + (IsDigit(d) ? d - '0' : d - 'a' + 10);
            if (value > 0xFFFFFFFFLL) Fail("numar prea mare");
        }
        if (pos_ == start) Fail("numar fara cifre");
        if (pos_ < text_.size() && IsIdentChar(text_[pos_])) Fail("numar urmat de litere");
        return negative ? -value : value;
    }

    // 'quoted parts' ('' is a quote) and #nn character codes, written next to
    // each other, make one string.
    std::string ReadString() {
        std::string s;
        while (pos_ < text_.size()) {
            if (text_[pos_] == '\'') {
                ++pos_;
                for (;;) {
                    if (pos_ >= text_.size() || text_[pos_] == '\n') Fail("sir neterminat");
                    if (text_[pos_] == '\'') {
                        if (pos_ + 1 < text_.size() && text_[pos_ + 1] == '\'') {
                            s += '\'';
                            pos_ += 2;
                            continue;
                        }
                        ++pos_;
                        break;
                    }
                    s += text_[pos_++];
                }
            } else if (text_[pos_] == '#') {
                ++pos_;
                size_t start = pos_;
                int code = 0;
                while (pos_ < text_.size() && IsDigit(text_[pos_])) {
                    code = code * 10 + (text_[pos_++] - '0');
                    if (code > 255) Fail("cod de caracter peste 255");
                }
                if (pos_ == start) Fail("# fara cod de caracter");
                s += static_cast<char>(code);
            } else {
                break;
            }
        }
        return s;
    }

    std::string ReadHex() {
        ++pos_;
        std::string digits;
        while (pos_ < text_.size() && text_[pos_] != '}') {
            char c = text_[pos_++];
            if (c == '\n') ++line_;
            if (std::isspace(static_cast<unsigned char>(c))) continue;
            if (!IsHexDigit(c)) Fail("cifra hexazecimala gresita '" + std::string(1, c) + "'");
            digits += c;
        }
        if (pos_ >= text_.size()) Fail("date binare neterminate (lipseste })");
        ++pos_;
        if (digits.size() % 2) Fail("numar impar de cifre hexazecimale");
        return digits;
    }

    std::string_view text_;
    const std::string& name_;
    size_t pos_ = 0;
    int line_ = 1;
};

class Parser {
public:
    Parser(std::string_view text, const std::string& name) : tokens_(text, name), name_(name) { Advance(); }

    ObjectDesc ParseRoot() {
        ObjectDesc root = ParseObject();
        if (current_.kind != Token::Kind::End) Fail("text dupa sfarsitul descrierii");
        return root;
    }

private:
    void Advance() { current_ = tokens_.Next(); }
    [[noreturn]] void Fail(const std::string& message) const { throw EFormError(name_, current_.line, message); }
    bool IsSymbol(char c) const { return current_.kind == Token::Kind::Symbol && current_.text[0] == c; }
    bool IsKeyword(std::string_view word) const {
        return current_.kind == Token::Kind::Identifier && SameName(current_.text, word);
    }
    void Expect(char c) {
        if (!IsSymbol(c)) Fail(std::string("lipseste '") + c + "'");
        Advance();
    }
    std::string ExpectIdentifier(const char* what) {
        if (current_.kind != Token::Kind::Identifier || current_.text.find('.') != std::string::npos)
            Fail(std::string("lipseste ") + what);
        std::string text = current_.text;
        Advance();
        return text;
    }

    ObjectDesc ParseObject() {
        ObjectDesc obj;
        obj.line = current_.line;
        obj.inherited = IsKeyword("inherited");
        if (!obj.inherited && !IsKeyword("object")) Fail("lipseste 'object'");
        Advance();
        obj.name = ExpectIdentifier("numele obiectului");
        Expect(':');
        obj.className = ExpectIdentifier("clasa obiectului");
        while (!IsKeyword("end")) {
            if (current_.kind == Token::Kind::End) Fail("lipseste 'end' pentru obiectul " + obj.name);
            if (IsKeyword("object") || IsKeyword("inherited")) {
                obj.children.push_back(ParseObject());
                continue;
            }
            if (current_.kind != Token::Kind::Identifier) Fail("lipseste numele unei proprietati");
            PropAssignment a;
            a.line = current_.line;
            a.path = current_.text;
            Advance();
            Expect('=');
            a.value = ParseValue();
            obj.properties.push_back(std::move(a));
        }
        Advance();
        return obj;
    }

    PropValue ParseValue() {
        PropValue v;
        v.line = current_.line;
        switch (current_.kind) {
        case Token::Kind::Integer:
            v.kind = PropValue::Kind::Integer;
            v.integer = current_.integer;
            Advance();
            return v;
        case Token::Kind::String:
            v.kind = PropValue::Kind::String;
            v.text = current_.text;
            Advance();
            while (IsSymbol('+')) {  // a string continued on the next line
                Advance();
                if (current_.kind != Token::Kind::String) Fail("dupa '+' trebuie un sir");
                v.text += current_.text;
                Advance();
            }
            return v;
        case Token::Kind::Identifier:
            v.kind = PropValue::Kind::Identifier;
            v.text = current_.text;
            Advance();
            return v;
        case Token::Kind::Binary:
            v.kind = PropValue::Kind::Binary;
            for (size_t i = 0; i < current_.text.size(); i += 2)
                v.bytes.push_back(static_cast<std::uint8_t>(std::stoi(current_.text.substr(i, 2), nullptr, 16)));
            Advance();
            return v;
        case Token::Kind::Symbol:
            if (IsSymbol('[')) return ParseSet(v);
            if (IsSymbol('(')) return ParseList(v);
            break;
        case Token::Kind::End: break;
        }
        Fail("lipseste valoarea proprietatii");
    }

    PropValue ParseSet(PropValue v) {
        v.kind = PropValue::Kind::Set;
        Advance();
        while (!IsSymbol(']')) {
            v.names.push_back(ExpectIdentifier("un element al multimii"));
            if (IsSymbol(','))
                Advance();
            else if (!IsSymbol(']'))
                Fail("lipseste ']'");
        }
        Advance();
        return v;
    }

    PropValue ParseList(PropValue v) {
        v.kind = PropValue::Kind::List;
        Advance();
        while (!IsSymbol(')')) {
            if (current_.kind == Token::Kind::End) Fail("lipseste ')'");
            v.items.push_back(ParseValue());
            if (IsSymbol(',')) Advance();
        }
        Advance();
        return v;
    }

    Tokenizer tokens_;
    const std::string& name_;
    Token current_;
};

}  // namespace

ObjectDesc ParseFormDescription(std::string_view text, const std::string& descriptionName) {
    return Parser(text, descriptionName).ParseRoot();
}
