#include "services/TGameSearchIndex.h"

#include <algorithm>

#include "services/CodePoints.h"

namespace {

// Bits 0-35 for letters and digits, the rest shared by all other characters.
uint64_t CharBit(char32_t c) {
    if (c >= 'a' && c <= 'z') return uint64_t{1} << (c - 'a');
    if (c >= '0' && c <= '9') return uint64_t{1} << (26 + c - '0');
    return uint64_t{1} << (36 + (static_cast<uint32_t>(c) * 2654435761u >> 7) % 28);
}

uint64_t PairBit(char32_t a, char32_t b) {
    uint64_t h = (static_cast<uint64_t>(a) * 0x9E3779B97F4A7C15ull) ^
                 (static_cast<uint64_t>(b) * 0xC2B2AE3D27D4EB4Full);
    return uint64_t{1} << (h >> 58);
}

void AddText(const std::u32string& text, uint64_t& chars, uint64_t& pairs) {
    for (size_t i = 0; i < text.size(); ++i) {
        chars |= CharBit(text[i]);
        if (i + 1 < text.size()) pairs |= PairBit(text[i], text[i + 1]);
    }
}

// zh, ch and sh are typed as one initial as often as by their first letter.
size_t LongInitial(const std::u32string& reading) {
    return reading.size() > 2 && reading[1] == 'h' &&
                   (reading[0] == 'z' || reading[0] == 'c' || reading[0] == 's')
               ? 2
               : 0;
}

int Rank(TGameMatch match) {
    return static_cast<int>(match);
}

// Outcomes of spelling the rest of the query from a unit on.
constexpr uint8_t Spelled = 1;      // the query was used up
constexpr uint8_t WholeName = 2;    // ...on the last unit, given whole or by its initial
constexpr uint8_t OnlyInitials = 4; // ...with nothing but initials

} // namespace

struct TGameSearchIndex::TQuery {
    std::u32string Text;     // trimmed, lower-cased
    std::u32string Spelling; // the same without blanks
    uint64_t TextChars = 0, TextPairs = 0;
    uint64_t SpellChars = 0, SpellPairs = 0;
};

struct TGameSearchIndex::TCandidate {
    TGameMatch Match = TGameMatch::Substring;
    size_t Position = 0;
    size_t Index = 0;
};

const char* TGameSearchIndex::MatchName(TGameMatch match) {
    switch (match) {
    case TGameMatch::Exact:
        return "exact";
    case TGameMatch::Prefix:
        return "prefix";
    case TGameMatch::Initials:
        return "initials";
    case TGameMatch::Substring:
        break;
    }
    return "substring";
}

uint32_t TGameSearchIndex::InternUnit(std::string_view text) {
    auto found = FUnitIds.find(std::string(text));
    if (found != FUnitIds.end()) return found->second;
    TUnit unit;
    std::vector<char32_t> points = codepoints::Decode(text);
    size_t from = 0;
    if (!points.empty() && points[0] >= 0x80) unit.Char = points[from++];
    std::u32string reading;
    for (size_t i = from; i <= points.size(); ++i) {
        if (i == points.size() || points[i] == '|') {
            if (!reading.empty()) unit.Readings.push_back(reading);
            reading.clear();
        } else {
            reading += codepoints::Lower(points[i]);
        }
    }
    auto id = static_cast<uint32_t>(FUnits.size());
    FUnits.push_back(std::move(unit));
    FUnitIds.emplace(std::string(text), id);
    return id;
}

void TGameSearchIndex::Add(TGameRecord record, std::string_view keys) {
    TEntry entry;
    for (char32_t c : codepoints::Decode(record.Name))
        entry.Name += codepoints::Lower(c);
    size_t start = 0;
    while (start < keys.size()) {
        size_t blank = keys.find(' ', start);
        if (blank == std::string_view::npos) blank = keys.size();
        if (blank > start) entry.Units.push_back(InternUnit(keys.substr(start, blank - start)));
        start = blank + 1;
    }
    entry.Record = std::move(record);
    AddMasks(entry);
    FEntries.push_back(std::move(entry));
}

// Every character and every adjacent pair that a matching query can hold;
// a query with anything else is passed over without spelling it out.
void TGameSearchIndex::AddMasks(TEntry& entry) const {
    AddText(entry.Name, entry.Chars, entry.Pairs);
    for (size_t i = 0; i < entry.Units.size(); ++i) {
        const TUnit& unit = FUnits[entry.Units[i]];
        std::u32string ends, next;
        if (unit.Char) ends += unit.Char, entry.Chars |= CharBit(unit.Char);
        for (const std::u32string& r : unit.Readings) {
            AddText(r, entry.Chars, entry.Pairs);
            ends += r.front();
            ends += r.back();
            if (LongInitial(r)) ends += r[1];
        }
        if (i + 1 == entry.Units.size()) break;
        const TUnit& following = FUnits[entry.Units[i + 1]];
        if (following.Char) next += following.Char;
        for (const std::u32string& r : following.Readings)
            next += r.front();
        for (char32_t a : ends)
            for (char32_t b : next)
                entry.Pairs |= PairBit(a, b);
    }
}

// What spelling q[qi..] from unit ui on can give, as Spelled/WholeName/
// OnlyInitials outcomes; memo holds each (qi, ui) once worked out.
uint8_t TGameSearchIndex::Spell(const TEntry& entry, const std::u32string& q, size_t qi, size_t ui,
                                std::vector<int8_t>& memo) const {
    const size_t units = entry.Units.size();
    int8_t& known = memo[qi * (units + 1) + ui];
    if (known >= 0) return static_cast<uint8_t>(known);
    uint8_t result = 0;
    const bool last = ui + 1 == units;
    // Takes `length` query characters for this unit; `whole` when the unit
    // was given in full, `initial` when by its initial only.
    auto take = [&](size_t length, bool whole, bool initial) {
        if (qi + length == q.size()) {
            result |= Spelled | (last && (whole || initial) ? WholeName : 0) |
                      (initial ? OnlyInitials : 0);
            return;
        }
        if (last) return;
        uint8_t rest = Spell(entry, q, qi + length, ui + 1, memo);
        if (!initial) rest &= ~OnlyInitials;
        result |= rest;
    };
    if (ui < units) {
        const TUnit& unit = FUnits[entry.Units[ui]];
        const size_t left = q.size() - qi;
        if (unit.Char && q[qi] == unit.Char) take(1, true, false);
        for (const std::u32string& r : unit.Readings) {
            size_t common = 0;
            while (common < r.size() && common < left && q[qi + common] == r[common])
                ++common;
            if (common == 0) continue;
            if (common == r.size()) take(r.size(), true, r.size() == 1);
            if (common < r.size() || r.size() > 1) take(1, r.size() == 1, true);
            size_t longInitial = LongInitial(r);
            if (longInitial && common >= longInitial) take(longInitial, false, true);
            // A reading half typed ends the query.
            if (common == left && common < r.size() && common > longInitial && common > 1)
                take(common, false, false);
        }
    }
    known = static_cast<int8_t>(result);
    return result;
}

bool TGameSearchIndex::MatchEntry(const TEntry& entry, const TQuery& query, TCandidate& out) const {
    bool found = false;
    auto offer = [&](TGameMatch match, size_t position) {
        if (found &&
            (Rank(match) > Rank(out.Match) || (match == out.Match && position >= out.Position)))
            return;
        found = true;
        out.Match = match;
        out.Position = position;
    };
    const bool textMay =
        (query.TextChars & ~entry.Chars) == 0 && (query.TextPairs & ~entry.Pairs) == 0;
    if (textMay) {
        size_t at = entry.Name.find(query.Text);
        if (at != std::u32string::npos)
            offer(entry.Name.size() == query.Text.size() ? TGameMatch::Exact
                  : at == 0                              ? TGameMatch::Prefix
                                                         : TGameMatch::Substring,
                  at);
    }
    const bool spellMay = !query.Spelling.empty() && (query.SpellChars & ~entry.Chars) == 0 &&
                          (query.SpellPairs & ~entry.Pairs) == 0;
    if (!spellMay || entry.Units.empty() || (found && out.Match == TGameMatch::Exact)) return found;
    thread_local std::vector<int8_t> memo;
    memo.assign((query.Spelling.size() + 1) * (entry.Units.size() + 1), -1);
    for (size_t start = 0; start < entry.Units.size(); ++start) {
        uint8_t outcome = Spell(entry, query.Spelling, 0, start, memo);
        if (!(outcome & Spelled)) continue;
        if (start == 0 && (outcome & WholeName))
            offer(TGameMatch::Exact, 0);
        else if (start == 0)
            offer(TGameMatch::Prefix, 0);
        if (outcome & OnlyInitials) offer(TGameMatch::Initials, start);
        offer(TGameMatch::Substring, start);
    }
    return found;
}

TGameSearchResult TGameSearchIndex::Search(std::string_view text, size_t limit) const {
    TGameSearchResult result;
    std::vector<char32_t> points = codepoints::Decode(text, MaxQueryPoints * 4 + 1);
    auto blank = [](char32_t c) {
        return c == ' ' || c == '\t' || c == 0x3000 || c == '\r' || c == '\n';
    };
    while (!points.empty() && blank(points.back()))
        points.pop_back();
    size_t first = 0;
    while (first < points.size() && blank(points[first]))
        ++first;
    if (first == points.size() || points.size() - first > MaxQueryPoints) return result;
    TQuery query;
    for (size_t i = first; i < points.size(); ++i) {
        char32_t c = codepoints::Lower(points[i]);
        query.Text += c;
        if (!blank(c)) query.Spelling += c;
    }
    AddText(query.Text, query.TextChars, query.TextPairs);
    AddText(query.Spelling, query.SpellChars, query.SpellPairs);

    std::vector<TCandidate> found;
    for (size_t i = 0; i < FEntries.size(); ++i) {
        TCandidate candidate;
        if (!MatchEntry(FEntries[i], query, candidate)) continue;
        candidate.Index = i;
        found.push_back(candidate);
    }
    result.Total = found.size();
    auto better = [this](const TCandidate& a, const TCandidate& b) {
        if (a.Match != b.Match) return Rank(a.Match) < Rank(b.Match);
        if (a.Position != b.Position) return a.Position < b.Position;
        size_t la = FEntries[a.Index].Name.size(), lb = FEntries[b.Index].Name.size();
        if (la != lb) return la < lb;
        return a.Index < b.Index;
    };
    size_t shown = std::min(limit, found.size());
    std::partial_sort(found.begin(), found.begin() + static_cast<std::ptrdiff_t>(shown),
                      found.end(), better);
    for (size_t i = 0; i < shown; ++i)
        result.Hits.push_back({&FEntries[found[i].Index].Record, found[i].Match});
    return result;
}
