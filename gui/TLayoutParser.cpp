#include "gui/TLayoutParser.h"

#include <cctype>
#include <cstdlib>

#include "gui/Exception.h"
#include "platform/Text.h"

namespace {
// Nesting deeper than this is not a window layout but an attack on the stack.
constexpr int kMaxDepth = 64;

bool IsIdentStart(char c) {
    return c == '_' || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
           static_cast<unsigned char>(c) >= 0x80;
}
bool IsIdentChar(char c) { return IsIdentStart(c) || (c >= '0' && c <= '9') || c == '.'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
} // namespace

TLayoutParser::TLayoutParser(std::string_view text, std::string fileName)
    : FSource(text), FFileName(std::move(fileName)) {
    if (FSource.substr(0, 3) == "\xEF\xBB\xBF") FPos = 3;
}

void TLayoutParser::Fail(const std::string& what) const {
    throw ELayoutError(FFileName + ":" + std::to_string(FTokenLine) + ": " + what);
}

void TLayoutParser::SkipSpace() {
    while (FPos < FSource.size()) {
        char c = FSource[FPos];
        if (c == '\n') {
            ++FLine;
            ++FPos;
        } else if (c == ' ' || c == '\t' || c == '\r') {
            ++FPos;
        } else if (c == '/' && FPos + 1 < FSource.size() && FSource[FPos + 1] == '/') {
            while (FPos < FSource.size() && FSource[FPos] != '\n') ++FPos;
        } else {
            break;
        }
    }
}

void TLayoutParser::ReadString() {
    FText.clear();
    ++FPos; // opening quote
    for (;;) {
        if (FPos >= FSource.size() || FSource[FPos] == '\n') Fail("unterminated string");
        char c = FSource[FPos++];
        if (c == '\'') {
            if (FPos < FSource.size() && FSource[FPos] == '\'') {
                FText += '\'';
                ++FPos;
                continue;
            }
            break;
        }
        FText += c;
    }
    if (!platform::IsValidUtf8(FText)) Fail("string is not valid UTF-8");
    FToken = TToken::String;
}

void TLayoutParser::ReadNumber() {
    size_t start = FPos;
    if (FSource[FPos] == '-' || FSource[FPos] == '+') ++FPos;
    bool isFloat = false;
    if (FSource.substr(FPos, 1) == "$") {
        ++FPos;
        while (FPos < FSource.size() && std::isxdigit(static_cast<unsigned char>(FSource[FPos]))) ++FPos;
        std::string hex(FSource.substr(start, FPos - start));
        bool negative = hex[0] == '-';
        std::string digits = hex.substr(hex.find('$') + 1);
        if (digits.empty() || digits.size() > 8) Fail("bad hexadecimal number " + hex);
        long long v = std::strtoll(digits.c_str(), nullptr, 16);
        if (v > 0x7FFFFFFF) v -= 0x100000000LL; // colours are 32-bit signed
        FText = std::to_string(negative ? -v : v);
        FToken = TToken::Integer;
        return;
    }
    while (FPos < FSource.size() && (IsDigit(FSource[FPos]) || FSource[FPos] == '.')) {
        if (FSource[FPos] == '.') isFloat = true;
        ++FPos;
    }
    FText = std::string(FSource.substr(start, FPos - start));
    if (FText == "-" || FText == "+") Fail("a number is expected");
    FToken = isFloat ? TToken::Float : TToken::Integer;
}

void TLayoutParser::Next() {
    SkipSpace();
    FTokenLine = FLine;
    if (FPos >= FSource.size()) {
        FToken = TToken::End;
        FText.clear();
        return;
    }
    char c = FSource[FPos];
    if (c == '\'') return ReadString();
    if (IsDigit(c) || c == '$' ||
        ((c == '-' || c == '+') && FPos + 1 < FSource.size() &&
         (IsDigit(FSource[FPos + 1]) || FSource[FPos + 1] == '$')))
        return ReadNumber();
    if (IsIdentStart(c)) {
        size_t start = FPos;
        while (FPos < FSource.size() && IsIdentChar(FSource[FPos])) ++FPos;
        FText = std::string(FSource.substr(start, FPos - start));
        FToken = TToken::Ident;
        return;
    }
    FText = std::string(1, c);
    ++FPos;
    FToken = TToken::Symbol;
}

void TLayoutParser::Expect(char symbol) {
    if (!IsSymbol(symbol)) Fail(std::string("'") + symbol + "' expected");
    Next();
}

bool TLayoutParser::IsKeyword(std::string_view word) const {
    return FToken == TToken::Ident && platform::SameText(FText, word);
}

TLayoutObject TLayoutParser::Parse() {
    Next();
    if (!IsKeyword("object") && !IsKeyword("inline")) Fail("'object' expected");
    TLayoutObject root = ParseObject(0);
    if (FToken != TToken::End) Fail("text after the last 'end'");
    return root;
}

TLayoutObject TLayoutParser::ParseObject(int depth) {
    if (depth > kMaxDepth) Fail("objects nested too deeply");
    TLayoutObject obj;
    obj.Line = FTokenLine;
    obj.Inline = IsKeyword("inline");
    Next();
    if (FToken != TToken::Ident) Fail("object name expected");
    obj.Name = FText;
    Next();
    if (IsSymbol(':')) {
        Next();
        if (FToken != TToken::Ident) Fail("class name expected");
        obj.ClassName = FText;
        Next();
    } else {
        // "object TFoo" without a name: the class stands alone.
        obj.ClassName = obj.Name;
        obj.Name.clear();
    }
    for (;;) {
        if (FToken == TToken::End) Fail("'end' expected for object " + obj.Name);
        if (IsKeyword("end")) {
            Next();
            return obj;
        }
        if (IsKeyword("object") || IsKeyword("inline")) {
            obj.Children.push_back(ParseObject(depth + 1));
            continue;
        }
        obj.Props.push_back(ParseItem(depth));
    }
}

TLayoutItem TLayoutParser::ParseItem(int depth) {
    if (FToken != TToken::Ident) Fail("property name expected, found '" + FText + "'");
    TLayoutItem item;
    item.Name = FText;
    item.Line = FTokenLine;
    Next();
    Expect('=');
    item.Value = ParseValue(depth + 1);
    return item;
}

std::string TLayoutParser::ParseStringValue() {
    std::string text = FText;
    Next();
    while (IsSymbol('+')) {
        Next();
        if (FToken != TToken::String) Fail("string expected after '+'");
        text += FText;
        Next();
    }
    return text;
}

TValue TLayoutParser::ParseValue(int depth) {
    if (depth > kMaxDepth) Fail("values nested too deeply");
    switch (FToken) {
    case TToken::String:
        return ParseStringValue();
    case TToken::Integer: {
        auto v = platform::ParseInt(FText);
        if (!v) Fail("number out of range: " + FText);
        Next();
        return *v;
    }
    case TToken::Float: {
        double d = std::strtod(FText.c_str(), nullptr);
        Next();
        return d;
    }
    case TToken::Ident: {
        std::string name = FText;
        Next();
        if (platform::SameText(name, "True")) return true;
        if (platform::SameText(name, "False")) return false;
        if (platform::SameText(name, "nil")) return TValue{};
        return TIdent{name};
    }
    case TToken::Symbol:
        break;
    case TToken::End:
        Fail("value expected");
    }
    if (IsSymbol('[')) {
        Next();
        TSetValue set;
        while (!IsSymbol(']')) {
            if (FToken != TToken::Ident) Fail("set element expected");
            set.Items.push_back(FText);
            Next();
            if (IsSymbol(',')) Next();
            else if (!IsSymbol(']')) Fail("',' or ']' expected");
        }
        Next();
        return set;
    }
    if (IsSymbol('(')) {
        Next();
        TStringsValue list;
        while (!IsSymbol(')')) {
            if (FToken != TToken::String) Fail("string expected in list");
            list.Items.push_back(ParseStringValue());
        }
        Next();
        return list;
    }
    if (IsSymbol('<')) {
        Next();
        TCollectionValue collection;
        while (!IsSymbol('>')) {
            if (!IsKeyword("item")) Fail("'item' expected");
            Next();
            std::vector<TLayoutItem> items;
            while (!IsKeyword("end")) {
                if (FToken == TToken::End) Fail("'end' expected for item");
                items.push_back(ParseItem(depth + 1));
            }
            Next();
            collection.Items.push_back(std::move(items));
        }
        Next();
        return collection;
    }
    Fail("unexpected '" + FText + "'");
}
