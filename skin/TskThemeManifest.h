#pragma once
// The source of a skin file: a text manifest with one entry per line, which
// the skin compiler (tools/skinc.cpp) turns into a skin file.
//
//   int    Key 123         decimal, or 0x and up to 8 hex digits for a raw
//                          32-bit value such as a system colour code
//   color  Key r g b       0 to 255 each, stored as r + 256 g + 65536 b
//   bool   Key 1           0, 1, true or false
//   byte   Key 200         0 to 255
//   string Key some text   the rest of the line, bytes as written
//   bmp    Key a/b.bmp     a BMP picture; a relative path starts at the
//                          manifest's folder
//
// Blank lines and lines whose first non-blank is # or ; are skipped; blanks
// at the end of a line (a CR included) are not part of it. Every error raises
// Exception "<manifest>:<line>: <what>". A key given twice for the same kind
// of table is kept (the first wins in the reader) and noted in Warnings().
#include "skin/TskThemeFileWriter.h"

#include <map>
#include <string>
#include <string_view>
#include <vector>

class TskThemeManifest {
public:
    TskThemeManifest(std::string sourceName, std::string baseDir);
    // Reads and compiles a manifest file; EFOpenError when it cannot be read.
    static TskThemeManifest FromFile(const std::string& fileName);

    void Compile(std::string_view text);

    const TskThemeFileWriter& Writer() const { return FWriter; }
    const std::vector<std::string>& Warnings() const { return FWarnings; }

private:
    void CompileLine(std::string_view line);
    void AddEntry(std::string_view kind, const std::string& key, std::string_view rest);
    void AddPicture(const std::string& key, std::string_view path);
    void Remember(std::string_view table, const std::string& key);
    [[noreturn]] void Fail(const std::string& what) const;

    std::string FSourceName;
    std::string FBaseDir;
    int FLine = 0;
    TskThemeFileWriter FWriter;
    std::vector<std::string> FWarnings;
    // table name + "\n" + lower-case key -> line of its first use
    std::map<std::string, int> FFirstUse;
};
