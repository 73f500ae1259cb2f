#pragma once
// Every picture the tool makes, by resource name, in the order made.
#include <memory>
#include <string>
#include <vector>

#include "gui/graphics/TBitmap.h"

namespace stylepics {

class TPictureSet {
public:
    struct TEntry {
        std::string Name;
        std::string Group; // the style prefix, or "APP"
        int Frames = 1;
        std::unique_ptr<TBitmap> Picture;
    };

    // A new picture filled with the colour key. Raises std::logic_error for
    // a name given twice.
    TBitmap& Add(const std::string& name, const std::string& group, int width, int height,
                 int frames = 1);
    const TEntry* Find(const std::string& name) const;
    const std::vector<TEntry>& Entries() const { return FEntries; }
    std::vector<std::string> Groups() const;
    // What differs from a list of expected names: "made but not listed: X"
    // and "listed but not made: Y" lines; empty when they match.
    std::vector<std::string> Differences(const std::vector<std::string>& expected) const;

private:
    std::vector<TEntry> FEntries;
};

} // namespace stylepics
