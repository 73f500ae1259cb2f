#include "platform/TProfile.h"

#include "platform/ProfileReader.h"
#include "platform/Text.h"

#include <unordered_set>

namespace platform {

namespace {

// Walks the lines of a text; CR LF, bare CR and bare LF all end a line.
class TLineReader {
public:
    TLineReader(std::string_view text, std::size_t begin, std::size_t end)
        : FText(text), FPos(begin), FEnd(end) {}

    bool Next(std::string_view& line, std::size_t& lineBegin) {
        if (FPos >= FEnd) return false;
        lineBegin = FPos;
        std::size_t stop = FText.find_first_of("\r\n", FPos);
        if (stop == std::string_view::npos || stop > FEnd) stop = FEnd;
        line = FText.substr(FPos, stop - FPos);
        FPos = stop;
        if (FPos < FEnd && FText[FPos++] == '\r' && FPos < FEnd && FText[FPos] == '\n') ++FPos;
        return true;
    }

    std::size_t Position() const { return FPos; }

private:
    std::string_view FText;
    std::size_t FPos;
    std::size_t FEnd;
};

// A section line starts with '[' once leading blanks are gone; the name
// runs to the first ']' or to the end of the line, and the rest is ignored.
std::optional<std::string_view> SectionLineName(std::string_view trimmed) {
    if (trimmed.empty() || trimmed.front() != '[') return std::nullopt;
    std::string_view inside = trimmed.substr(1);
    return TrimView(inside.substr(0, inside.find(']')));
}

struct TKeyLine {
    std::string_view Key;
    std::string_view Value;
};

std::optional<TKeyLine> KeyLine(std::string_view trimmed) {
    if (trimmed.empty() || trimmed.front() == ';' || trimmed.front() == '[') return std::nullopt;
    std::size_t equals = trimmed.find('=');
    if (equals == std::string_view::npos) return std::nullopt;
    return TKeyLine{TrimView(trimmed.substr(0, equals)), TrimView(trimmed.substr(equals + 1))};
}

bool IsQuote(char c) {
    return c == '"' || c == '\'';
}

// One matching pair of outer quotes is removed; a value with further quotes
// inside, or with unmatched ones, is left as written.
std::string_view Unquote(std::string_view value) {
    if (value.size() < 2 || !IsQuote(value.front()) || value.back() != value.front()) return value;
    std::string_view inner = value.substr(1, value.size() - 2);
    if (inner.find_first_of("\"'") != std::string_view::npos) return value;
    return inner;
}

bool IsAscii(std::string_view text) {
    for (char c : text)
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    return true;
}

// `folded` is already FoldCase'd; most names are ASCII and need no copy.
bool NameMatches(std::string_view name, std::string_view folded) {
    if (!IsAscii(name)) return FoldCase(name) == folded;
    if (name.size() != folded.size()) return false;
    for (std::size_t i = 0; i < name.size(); ++i) {
        char c = name[i];
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
        if (c != folded[i]) return false;
    }
    return true;
}

std::size_t HashName(std::string_view folded) {
    std::size_t hash = 1469598103934665603ull;
    for (char c : folded)
        hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ull;
    return hash;
}

} // namespace

// Keeps whole lines only, so that the cut never falls inside a character.
static std::string_view CutToLimit(std::string_view bytes) {
    bytes = bytes.substr(0, TProfile::MaxFileBytes);
    std::size_t end = bytes.find_last_of("\r\n");
    return end == std::string_view::npos ? bytes : bytes.substr(0, end);
}

TProfile::TProfile(std::string_view bytes)
    : FTruncated(bytes.size() > MaxFileBytes),
      FText(DecodeText(FTruncated ? CutToLimit(bytes) : bytes)) {
    IndexSections();
}

TProfile TProfile::LoadFromFile(const std::string& fileName) {
    return TProfile(ReadProfileFile(fileName));
}

void TProfile::IndexSections() {
    TLineReader lines(FText, 0, FText.size());
    std::string_view line;
    std::size_t lineBegin = 0;
    while (lines.Next(line, lineBegin)) {
        auto name = SectionLineName(TrimView(line));
        if (!name) continue;
        auto nameBegin = static_cast<uint32_t>(name->data() - FText.data());
        auto bodyBegin = static_cast<uint32_t>(lines.Position());
        if (!FSections.empty()) FSections.back().BodyEnd = static_cast<uint32_t>(lineBegin);
        FSections.push_back({nameBegin, static_cast<uint32_t>(name->size()), bodyBegin,
                             static_cast<uint32_t>(FText.size())});
        AddToIndex(static_cast<uint32_t>(FSections.size() - 1));
    }
}

void TProfile::AddToIndex(uint32_t sectionIndex) {
    if ((FUsedSlots + 1) * 2 > FSlots.size()) GrowIndex();
    std::string folded = FoldCase(SectionName(FSections[sectionIndex]));
    std::size_t mask = FSlots.size() - 1;
    for (std::size_t slot = HashName(folded) & mask;; slot = (slot + 1) & mask) {
        if (FSlots[slot] == 0) {
            FSlots[slot] = sectionIndex + 1;
            ++FUsedSlots;
            return;
        }
        // A later section of the same name is never searched.
        if (NameMatches(SectionName(FSections[FSlots[slot] - 1]), folded)) return;
    }
}

void TProfile::GrowIndex() {
    std::vector<uint32_t> old = std::move(FSlots);
    FSlots.assign(old.empty() ? 64 : old.size() * 2, 0);
    FUsedSlots = 0;
    for (uint32_t entry : old)
        if (entry != 0) AddToIndex(entry - 1);
}

const TProfile::TSection* TProfile::FindSection(std::string_view section) const {
    if (FSlots.empty()) return nullptr;
    std::string folded = FoldCase(section);
    std::size_t mask = FSlots.size() - 1;
    for (std::size_t slot = HashName(folded) & mask; FSlots[slot] != 0; slot = (slot + 1) & mask) {
        const TSection& candidate = FSections[FSlots[slot] - 1];
        if (NameMatches(SectionName(candidate), folded)) return &candidate;
    }
    return nullptr;
}

std::string_view TProfile::SectionName(const TSection& section) const {
    return std::string_view(FText).substr(section.NameBegin, section.NameLength);
}

bool TProfile::SectionExists(std::string_view section) const {
    return FindSection(section) != nullptr;
}

std::optional<std::string> TProfile::FindValue(std::string_view section,
                                               std::string_view key) const {
    const TSection* found = FindSection(section);
    if (!found) return std::nullopt;
    std::string folded = FoldCase(key);
    TLineReader lines(FText, found->BodyBegin, found->BodyEnd);
    std::string_view line;
    std::size_t lineBegin = 0;
    while (lines.Next(line, lineBegin)) {
        auto entry = KeyLine(TrimView(line));
        if (entry && NameMatches(entry->Key, folded)) return std::string(Unquote(entry->Value));
    }
    return std::nullopt;
}

std::string TProfile::ReadString(std::string_view section, std::string_view key,
                                 std::optional<std::string_view> defaultValue,
                                 std::size_t bufferChars) const {
    auto value = FindValue(section, key);
    return LimitToBufferChars(value ? *value : ProfileDefault(defaultValue), bufferChars);
}

std::vector<std::string> TProfile::SectionNames() const {
    std::vector<std::string> names;
    for (const TSection& section : FSections)
        if (FindSection(SectionName(section)) == &section) names.emplace_back(SectionName(section));
    return names;
}

std::vector<std::string> TProfile::KeyNames(std::string_view section) const {
    std::vector<std::string> names;
    std::unordered_set<std::string> seen;
    const TSection* found = FindSection(section);
    if (!found) return names;
    TLineReader lines(FText, found->BodyBegin, found->BodyEnd);
    std::string_view line;
    std::size_t lineBegin = 0;
    while (lines.Next(line, lineBegin)) {
        auto entry = KeyLine(TrimView(line));
        if (!entry) continue;
        if (seen.insert(FoldCase(entry->Key)).second) names.emplace_back(entry->Key);
    }
    return names;
}

} // namespace platform
