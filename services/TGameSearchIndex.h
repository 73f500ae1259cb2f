#pragma once
// The games of the imported lists in memory, searched as the player types:
// by the name's own characters, by full pinyin ("xiangqi" finds 中国象棋), by
// initials ("xq"), and by any mix of them ("中国xq", "zhongguoxq"). Each
// character of the query span matches one character of the name by the
// character itself, one of its readings, or its initial (z/zh, c/ch, s/sh);
// the last one also by the start of a reading, so a word half typed already
// finds its game.
//
// Hits are ranked: exact, then prefix, then initials, then substring; within
// a rank the earlier match, then the shorter name, then the earlier import.
// The keys come ready from the database (TPinyin::Keys); searching never
// transliterates.
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

struct TGameRecord {
    int64_t Id = 0;
    std::string Name;
    std::string Class;
    std::string URL;
};

enum class TGameMatch { Exact, Prefix, Initials, Substring };

struct TGameHit {
    const TGameRecord* Game = nullptr;
    TGameMatch Match = TGameMatch::Substring;
};

struct TGameSearchResult {
    size_t Total = 0;           // every game that matched
    std::vector<TGameHit> Hits; // the best of them, up to the limit asked
};

class TGameSearchIndex {
public:
    // Longer queries find nothing: no game name is typed that long, and the
    // work of a search stays bounded whatever the page sends.
    static constexpr size_t MaxQueryPoints = 64;

    // `keys` as TPinyin::Keys made them for the name.
    void Add(TGameRecord record, std::string_view keys);
    size_t Size() const { return FEntries.size(); }
    // Blanks around the query are ignored; case is ignored for Latin letters.
    TGameSearchResult Search(std::string_view query, size_t limit) const;

    static const char* MatchName(TGameMatch match);

private:
    struct TUnit {
        char32_t Char = 0; // the Han character; 0 for a Latin word
        std::vector<std::u32string> Readings;
    };
    struct TEntry {
        TGameRecord Record;
        std::u32string Name; // lower-cased
        std::vector<uint32_t> Units;
        uint64_t Chars = 0; // what the entry holds, hashed to bits
        uint64_t Pairs = 0;
    };
    struct TQuery;
    struct TCandidate;

    uint32_t InternUnit(std::string_view text);
    void AddMasks(TEntry& entry) const;
    bool MatchEntry(const TEntry& entry, const TQuery& query, TCandidate& out) const;
    uint8_t Spell(const TEntry& entry, const std::u32string& q, size_t qi, size_t ui,
                  std::vector<int8_t>& memo) const;

    std::vector<TUnit> FUnits;
    std::unordered_map<std::string, uint32_t> FUnitIds;
    std::vector<TEntry> FEntries;
};
