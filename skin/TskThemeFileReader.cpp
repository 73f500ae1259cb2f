#include "skin/TskThemeFileReader.h"

#include "gui/Exception.h"
#include "platform/FileError.h"
#include "platform/Text.h"

#include <optional>
#include <unordered_set>

struct TskThemeFileReader::TRecord {
    std::string Name;
    uint8_t Type = 0;
    uint32_t DataOffset = 0;
    uint32_t DataSize = 0;
    uint32_t Next = 0;
};

namespace {

uint32_t ReadU32(std::span<const uint8_t> bytes, size_t at) {
    return static_cast<uint32_t>(bytes[at]) | static_cast<uint32_t>(bytes[at + 1]) << 8 |
           static_cast<uint32_t>(bytes[at + 2]) << 16 | static_cast<uint32_t>(bytes[at + 3]) << 24;
}

// The text of a fixed-size field up to its first NUL, or all of it.
std::string FieldText(std::span<const uint8_t> field) {
    size_t length = 0;
    while (length < field.size() && field[length] != 0)
        ++length;
    return std::string(reinterpret_cast<const char*>(field.data()), length);
}

bool HasMagic(std::span<const uint8_t> first12) {
    return FieldText(first12) == SkinFileMagic;
}

bool LiesInside(uint64_t offset, uint64_t size, uint64_t fileSize) {
    return offset <= fileSize && size <= fileSize - offset;
}

std::string Quoted(const std::string& text) {
    return "\"" + text + "\"";
}

// The text before the first "=" of a table item is its key.
std::optional<std::string_view> FindValue(const std::vector<std::string>& table,
                                          std::string_view key) {
    for (const std::string& item : table) {
        std::string_view text(item);
        size_t equals = text.find('=');
        if (platform::SameText(text.substr(0, equals), key))
            return equals == std::string_view::npos ? std::string_view() : text.substr(equals + 1);
    }
    return std::nullopt;
}

std::optional<int32_t> ValueAsInt32(std::optional<std::string_view> value) {
    if (!value) return std::nullopt;
    std::optional<int64_t> number = platform::ParseInt(*value);
    if (!number || *number < INT32_MIN || *number > INT32_MAX) return std::nullopt;
    return static_cast<int32_t>(*number);
}

} // namespace

bool IsValidThemeFile(const std::string& fileName) {
    TMemoryStream head;
    try {
        head.LoadFromFile(fileName, 16);
    } catch (const std::exception&) {
        return false;
    }
    return head.Size() == 16 && HasMagic(head.Bytes().first(SkinFileMagicField));
}

TskThemeFileReader::TskThemeFileReader(const std::string& fileName) {
    TMemoryStream file;
    try {
        file.LoadFromFile(fileName);
    } catch (const platform::FileError& error) {
        throw EFOpenError(error.what());
    }
    Parse(file.Bytes());
}

TskThemeFileReader::TskThemeFileReader(std::span<const uint8_t> bytes) {
    Parse(bytes);
}

TMemoryStream* TskThemeFileReader::GetStream(std::string_view key) const {
    for (const TStreamItem& item : FStreams)
        if (platform::SameText(item.Key, key)) {
            item.Stream->SetPosition(0);
            return item.Stream.get();
        }
    return nullptr;
}

int32_t TskThemeFileReader::GetInteger(std::string_view key) const {
    return ValueAsInt32(FindValue(FIntegers, key)).value_or(-1);
}

bool TskThemeFileReader::GetBool(std::string_view key) const {
    std::optional<int32_t> value = ValueAsInt32(FindValue(FBytes, key));
    return value && (*value & 0xFF) != 0;
}

void TskThemeFileReader::Parse(std::span<const uint8_t> file) {
    if (file.size() < 16) {
        Note("the file is shorter than its header");
        return;
    }
    uint32_t headerSize = ReadU32(file, 12);
    if (headerSize < SkinFileHeaderSize || headerSize > file.size()) {
        Note("header size " + platform::IntToStr(headerSize) + " does not fit the file");
        return;
    }
    ParseChain(file, ReadU32(file, 20));
}

void TskThemeFileReader::ParseChain(std::span<const uint8_t> file, uint32_t offset) {
    // Every record and every loaded data block claims its bytes from this
    // budget; a sound file never claims more than it has.
    uint64_t budget = file.size();
    std::unordered_set<uint32_t> visited;
    for (;;) {
        std::string where = " at offset " + platform::IntToStr(offset);
        if (!visited.insert(offset).second) return Note("the chain returns to the record" + where);
        if (!LiesInside(offset, SkinFileRecordSize, file.size()))
            return Note("the record" + where + " does not lie whole inside the file");
        if (budget < SkinFileRecordSize)
            return Note("the chain has more records than the file can hold; stopped" + where);
        budget -= SkinFileRecordSize;
        std::span<const uint8_t> bytes = file.subspan(offset, SkinFileRecordSize);
        TRecord record{FieldText(bytes.first(SkinFileNameSize)), bytes[64], ReadU32(bytes, 65),
                       ReadU32(bytes, 69), ReadU32(bytes, 73)};
        if (record.Next == 0) return;
        LoadEntry(file, record, budget);
        offset = record.Next;
    }
}

void TskThemeFileReader::LoadEntry(std::span<const uint8_t> file, const TRecord& record,
                                   uint64_t& budget) {
    if (record.Type > static_cast<uint8_t>(TskThemeEntryType::String)) return;
    if (!HasValidSize(record)) return;
    std::string entry = "the data of entry " + Quoted(record.Name);
    if (!LiesInside(record.DataOffset, record.DataSize, file.size()))
        return Note(entry + " lies past the end of the file; skipped");
    if (record.DataSize > budget)
        return Note(entry + " would load more bytes than the file has; skipped");
    budget -= record.DataSize;
    Append(record, file.subspan(record.DataOffset, record.DataSize));
}

bool TskThemeFileReader::HasValidSize(const TRecord& record) {
    auto type = static_cast<TskThemeEntryType>(record.Type);
    if (type != TskThemeEntryType::Integer && type != TskThemeEntryType::Byte) return true;
    uint32_t wanted = type == TskThemeEntryType::Integer ? 4 : 1;
    if (record.DataSize == wanted) return true;
    Note("entry " + Quoted(record.Name) + " has " + platform::IntToStr(record.DataSize) +
         " data bytes instead of " + platform::IntToStr(wanted) + "; skipped");
    return false;
}

void TskThemeFileReader::Append(const TRecord& record, std::span<const uint8_t> data) {
    const std::string prefix = record.Name + "=";
    switch (static_cast<TskThemeEntryType>(record.Type)) {
    case TskThemeEntryType::Stream:
        FStreams.push_back({record.Name, std::make_unique<TMemoryStream>(data)});
        break;
    case TskThemeEntryType::Integer:
        FIntegers.push_back(prefix + platform::IntToStr(static_cast<int32_t>(ReadU32(data, 0))));
        break;
    case TskThemeEntryType::Byte:
        FBytes.push_back(prefix + platform::IntToStr(data[0]));
        break;
    case TskThemeEntryType::String:
        FStrings.push_back(prefix +
                           std::string(reinterpret_cast<const char*>(data.data()), data.size()));
        break;
    }
}

void TskThemeFileReader::Note(std::string problem) {
    if (FProblems.size() < MaxProblems) FProblems.push_back(std::move(problem));
    ++FProblemCount;
}
