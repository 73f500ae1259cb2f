#pragma once
// Reading a game list: numbered sections with the keys "mc" (name), "lx"
// (class) and "url" (address). A key that is absent or empty keeps the value
// of the nearest earlier section that had it, and the list ends at the first
// section with none of the three.
#include <cstddef>
#include <functional>
#include <string>

namespace platform {
class TProfile;
}

struct TListEntry {
    std::string Name;
    std::string Class;
    std::string URL;
};

class TListImport {
public:
    // Values longer than this many characters are cut, as the platform's
    // profile reader cuts them at its 2048-character buffer.
    static constexpr std::size_t ValueBufferChars = 2048;
    static constexpr int GameListFirst = 0;
    static constexpr int GameListLast = 100000;
    static constexpr int SecondListFirst = 1;
    static constexpr int SecondListLast = 10000;

    using TInsert = std::function<void(const TListEntry&)>;

    // Calls `insert` for each entry of sections first..last; returns how many.
    static std::size_t Run(const platform::TProfile& list, int first, int last,
                           const TInsert& insert);
};
