#pragma once
// Reads the text of a stored window layout into a tree of objects:
//
//   object FrmMain: TFrmMain
//     Caption = '星帆IE'            // strings in single quotes, '' for '
//     Font.Style = [fsBold]         // sets
//     Items = ('a' 'b')             // string lists
//     Sections = <                  // collections
//       item
//         Width = 35
//       end>
//     OnCreate = FormCreate         // identifiers: enums, references, methods
//     object palTop: TPanel
//       Align = alTop
//     end
//   end
#include <string>
#include <string_view>
#include <vector>

#include "gui/TValue.h"

struct TLayoutObject {
    std::string Name;
    std::string ClassName;
    int Line = 0;
    bool Inline = false;
    std::vector<TLayoutItem> Props;
    std::vector<TLayoutObject> Children;
};

class TLayoutParser {
public:
    TLayoutParser(std::string_view text, std::string fileName);
    // Throws ELayoutError naming the file and line.
    TLayoutObject Parse();

private:
    enum class TToken { End, Ident, Integer, Float, String, Symbol };

    void Next();
    [[noreturn]] void Fail(const std::string& what) const;
    void Expect(char symbol);
    bool IsSymbol(char symbol) const { return FToken == TToken::Symbol && FText[0] == symbol; }
    bool IsKeyword(std::string_view word) const;
    TLayoutObject ParseObject(int depth);
    TLayoutItem ParseItem(int depth);
    TValue ParseValue(int depth);
    std::string ParseStringValue();
    void SkipSpace();
    void ReadString();
    void ReadNumber();

    std::string_view FSource;
    std::string FFileName;
    size_t FPos = 0;
    int FLine = 1;
    TToken FToken = TToken::End;
    std::string FText;
    int FTokenLine = 1;
};
