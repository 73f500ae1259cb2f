#include "platform/RegistryFile.h"

#include "platform/Text.h"

#include <algorithm>
#include <array>
#include <optional>

namespace platform {

namespace {

constexpr std::string_view kHeader = "REGEDIT4";

struct THive {
    HKEY Root;
    std::string_view Name;
};

constexpr std::array<THive, 5> kHives{{{HKEY_CLASSES_ROOT, "HKEY_CLASSES_ROOT"},
                                       {HKEY_CURRENT_USER, "HKEY_CURRENT_USER"},
                                       {HKEY_LOCAL_MACHINE, "HKEY_LOCAL_MACHINE"},
                                       {HKEY_USERS, "HKEY_USERS"},
                                       {HKEY_CURRENT_CONFIG, "HKEY_CURRENT_CONFIG"}}};

std::optional<HKEY> HiveByName(std::string_view name) {
    for (const THive& hive : kHives)
        if (SameText(hive.Name, name)) return hive.Root;
    return std::nullopt;
}

// Names end up on one line of the file between quotes or brackets.
bool IsStorableName(std::string_view name) {
    return IsValidUtf8(name) && name.find_first_of(std::string_view("\r\n\0", 3)) == name.npos;
}

bool SameKeyPath(std::string_view a, std::string_view b) {
    return FoldCase(a) == FoldCase(b);
}

bool IsBelow(std::string_view path, std::string_view parentFolded) {
    std::string folded = FoldCase(path);
    return folded.size() > parentFolded.size() && folded[parentFolded.size()] == '\\' &&
           folded.compare(0, parentFolded.size(), parentFolded) == 0;
}

// The component numbered `index` (0 = the hive) of a backslash path.
std::string_view Component(std::string_view path, std::size_t index) {
    for (; index > 0; --index)
        path.remove_prefix(std::min(path.size(), path.find('\\') + 1));
    return path.substr(0, path.find('\\'));
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

const char kHexDigits[] = "0123456789abcdef";

// Reads the text line by line (CR LF, CR or LF) and parses it. Strict, any
// line that does not fit refuses the whole text; salvaging, such a line is
// dropped with the values it held and the rest is kept.
class TRegParser {
public:
    TRegParser(std::string_view text, std::size_t* dropped) : FText(text), FDropped(dropped) {}

    RegistryFile Run() {
        if (!SkipToHeader()) return FFile;
        std::string_view line;
        while (NextLineOrDrop(line))
            ParseOrDrop(line);
        return std::move(FFile);
    }

private:
    bool NextLine(std::string_view& line) {
        if (FPos >= FText.size()) return false;
        // NULs end a line too when salvaging: the padding a crash leaves
        // after the last complete line must not take that line with it.
        std::string_view breaks = Salvaging() ? std::string_view("\r\n\0", 3) : "\r\n";
        std::size_t stop = std::min(FText.find_first_of(breaks, FPos), FText.size());
        line = FText.substr(FPos, stop - FPos);
        FPos = stop;
        if (FPos < FText.size() && FText[FPos++] == '\r' && FPos < FText.size() &&
            FText[FPos] == '\n')
            ++FPos;
        ++FLineNumber;
        // Decoding such a line some other way and writing it back would
        // garble it, so it is never taken: a strict read refuses the file, a
        // salvage drops the line.
        if (!IsValidUtf8(line)) Fail("the text is not UTF-8");
        return true;
    }

    bool Salvaging() const { return FDropped != nullptr; }

    void Drop() {
        ++*FDropped;
        // Values below a key line that did not parse would land in the key
        // before it; they go with it.
        if (FInSection) FCurrentKey.clear();
    }

    bool NextLineOrDrop(std::string_view& line) {
        for (;;) {
            try {
                return NextLine(line);
            } catch (const RegistryFormatError&) {
                if (!Salvaging()) throw;
                std::string_view bad = TrimView(line);
                FInSection = !bad.empty() && bad.front() == '[';
                Drop();
            }
        }
    }

    void ParseOrDrop(std::string_view line) {
        FInSection = false;
        try {
            ParseLine(TrimView(line));
        } catch (const RegistryFormatError&) {
            if (!Salvaging()) throw;
            Drop();
        }
    }

    [[noreturn]] void Fail(const std::string& what) const {
        throw RegistryFormatError("line " + std::to_string(FLineNumber) + ": " + what);
    }

    // A file of blanks only holds nothing; anything else starts with the
    // header. A salvaged file without it is read as if it were there.
    bool SkipToHeader() {
        std::string_view line;
        while (NextLineOrDrop(line)) {
            line = TrimView(line);
            if (line.empty()) continue;
            if (line == kHeader) return true;
            if (!Salvaging()) Fail("the file does not start with \"REGEDIT4\"");
            ParseOrDrop(line);
            return true;
        }
        return false;
    }

    void ParseLine(std::string_view line) {
        if (line.empty() || line.front() == ';') return;
        if (line.front() == '[') return ParseSection(line);
        if (line.front() == '"' || line.front() == '@') return ParseValue(line);
        Fail("neither a key nor a value");
    }

    void ParseSection(std::string_view line) {
        FInSection = true;
        if (line.back() != ']') Fail("a key line must end with ']'");
        std::string_view path = line.substr(1, line.size() - 2);
        if (!path.empty() && path.front() == '-') Fail("key deletions are not stored values");
        std::size_t slash = path.find('\\');
        auto root = HiveByName(path.substr(0, slash));
        if (!root) Fail("unknown root key in \"" + std::string(path) + "\"");
        try {
            FCurrentKey = RegistryFile::KeyPath(*root, slash == path.npos ? std::string_view()
                                                                          : path.substr(slash + 1));
        } catch (const RegistryError& error) {
            Fail(error.what());
        }
        FFile.CreateKey(FCurrentKey);
    }

    void ParseValue(std::string_view line) {
        if (FCurrentKey.empty()) Fail("a value before the first key");
        std::size_t pos = 0;
        std::string name;
        if (line.front() == '@') {
            pos = 1;
        } else {
            name = ParseQuoted(line, pos);
        }
        while (pos < line.size() && IsBlank(line[pos]))
            ++pos;
        if (pos >= line.size() || line[pos] != '=') Fail("'=' expected after the value name");
        std::string_view data = TrimView(line.substr(pos + 1));
        TRegistryValue value = ParseData(data);
        if (!IsStorableName(name)) Fail("a value name with a NUL character");
        FFile.SetValue(FCurrentKey, name, value.Type, std::move(value.Data));
    }

    // A quoted string starting at line[pos]; only \\ and \" are escapes,
    // any other backslash stands for itself.
    std::string ParseQuoted(std::string_view line, std::size_t& pos) {
        std::string out;
        for (std::size_t i = pos + 1; i < line.size(); ++i) {
            char c = line[i];
            if (c == '"') {
                pos = i + 1;
                return out;
            }
            if (c == '\\' && i + 1 < line.size() && (line[i + 1] == '\\' || line[i + 1] == '"'))
                c = line[++i];
            out += c;
        }
        Fail("unterminated string");
    }

    TRegistryValue ParseData(std::string_view data) {
        if (!data.empty() && data.front() == '"') {
            std::size_t pos = 0;
            std::string text = ParseQuoted(data, pos);
            if (!TrimView(data.substr(pos)).empty()) Fail("text after the closing quote");
            return {{}, REG_SZ, std::move(text)};
        }
        if (StartsWithText(data, "dword:")) return {{}, REG_DWORD, ParseDword(data.substr(6))};
        if (StartsWithText(data, "hex:")) return {{}, REG_BINARY, ParseHexBytes(data.substr(4))};
        if (StartsWithText(data, "hex(")) return ParseTypedHex(data.substr(4));
        Fail("unknown value data");
    }

    std::string ParseDword(std::string_view digits) {
        if (digits.empty() || digits.size() > 8) Fail("a dword needs 1 to 8 hex digits");
        uint32_t number = 0;
        for (char c : digits) {
            int digit = HexDigit(c);
            if (digit < 0) Fail("bad hex digit in a dword");
            number = number * 16 + static_cast<uint32_t>(digit);
        }
        std::string bytes(4, '\0');
        for (int i = 0; i < 4; ++i)
            bytes[i] = static_cast<char>((number >> (8 * i)) & 0xFF);
        return bytes;
    }

    TRegistryValue ParseTypedHex(std::string_view rest) {
        std::size_t close = rest.find(')');
        if (close == rest.npos || close == 0 || close > 8 || close + 1 >= rest.size() ||
            rest[close + 1] != ':')
            Fail("bad hex(type): prefix");
        uint32_t type = 0;
        for (char c : rest.substr(0, close)) {
            int digit = HexDigit(c);
            if (digit < 0) Fail("bad hex digit in a value type");
            type = type * 16 + static_cast<uint32_t>(digit);
        }
        std::string bytes = ParseHexBytes(rest.substr(close + 2));
        // Text types carry their terminating NUL in this form; the model does not.
        if ((type == REG_SZ || type == REG_EXPAND_SZ) && !bytes.empty() && bytes.back() == '\0')
            bytes.pop_back();
        return {{}, type, std::move(bytes)};
    }

    // "01,02,ff" possibly continued on the following lines after a '\'.
    std::string ParseHexBytes(std::string_view list) {
        std::string bytes;
        for (;;) {
            list = TrimView(list);
            bool continues = !list.empty() && list.back() == '\\';
            if (continues) list = TrimView(list.substr(0, list.size() - 1));
            AppendHexList(list, bytes, continues);
            if (!continues) return bytes;
            std::string_view next;
            if (!NextLine(next)) Fail("the file ends inside hex data");
            list = next;
        }
    }

    void AppendHexList(std::string_view list, std::string& bytes, bool continues) {
        std::size_t i = 0;
        while (i < list.size()) {
            if (i + 1 >= list.size() || HexDigit(list[i]) < 0 || HexDigit(list[i + 1]) < 0)
                Fail("hex data must be pairs of hex digits separated by commas");
            bytes += static_cast<char>(HexDigit(list[i]) * 16 + HexDigit(list[i + 1]));
            i += 2;
            if (i == list.size()) break;
            if (list[i] != ',') Fail("',' expected between hex bytes");
            ++i;
            if (i == list.size() && !continues) Fail("hex data ends with ','");
        }
    }

    std::string_view FText;
    std::size_t* FDropped;
    bool FInSection = false;
    std::size_t FPos = 0;
    std::size_t FLineNumber = 0;
    std::string FCurrentKey;
    RegistryFile FFile;
};

void AppendQuoted(std::string& out, std::string_view text) {
    out += '"';
    for (char c : text) {
        if (c == '\\' || c == '"') out += '\\';
        out += c;
    }
    out += '"';
}

void AppendHex(std::string& out, std::string_view bytes) {
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (i) out += ',';
        auto byte = static_cast<unsigned char>(bytes[i]);
        out += kHexDigits[byte >> 4];
        out += kHexDigits[byte & 15];
    }
}

void AppendTypedHex(std::string& out, uint32_t type, std::string_view bytes) {
    std::string prefix;
    for (uint32_t rest = type; rest || prefix.empty(); rest >>= 4)
        prefix.insert(prefix.begin(), kHexDigits[rest & 15]);
    out += "hex(" + prefix + "):";
    AppendHex(out, bytes);
}

void AppendData(std::string& out, const TRegistryValue& value) {
    const std::string& data = value.Data;
    bool plainText =
        IsValidUtf8(data) && data.find_first_of(std::string_view("\r\n\0", 3)) == std::string::npos;
    if (value.Type == REG_SZ && plainText) return AppendQuoted(out, data);
    if (value.Type == REG_SZ || value.Type == REG_EXPAND_SZ)
        return AppendTypedHex(out, value.Type, data + '\0');
    if (value.Type == REG_DWORD && data.size() == 4) {
        out += "dword:";
        for (int shift = 3; shift >= 0; --shift) {
            auto byte = static_cast<unsigned char>(data[shift]);
            out += kHexDigits[byte >> 4];
            out += kHexDigits[byte & 15];
        }
        return;
    }
    if (value.Type == REG_BINARY) {
        out += "hex:";
        return AppendHex(out, data);
    }
    AppendTypedHex(out, value.Type, data);
}

} // namespace

RegistryFile RegistryFile::Parse(std::string_view bytes) {
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
    return TRegParser(bytes, nullptr).Run();
}

RegistryFile RegistryFile::Salvage(std::string_view bytes, std::size_t& dropped) {
    dropped = 0;
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
    return TRegParser(bytes, &dropped).Run();
}

std::string RegistryFile::Serialize() const {
    std::string out(kHeader);
    out += "\r\n";
    for (const TRegistryKey& key : FKeys) {
        out += "\r\n[" + key.Path + "]\r\n";
        for (const TRegistryValue& value : key.Values) {
            if (value.Name.empty()) {
                out += '@';
            } else {
                AppendQuoted(out, value.Name);
            }
            out += '=';
            AppendData(out, value);
            out += "\r\n";
        }
    }
    out += "\r\n";
    return out;
}

std::string RegistryFile::HiveName(HKEY root) {
    for (const THive& hive : kHives)
        if (hive.Root == root) return std::string(hive.Name);
    throw RegistryError("Invalid root key " + std::to_string(root));
}

std::string RegistryFile::KeyPath(HKEY root, std::string_view subKey) {
    std::string path = HiveName(root);
    while (!subKey.empty() && subKey.front() == '\\')
        subKey.remove_prefix(1);
    while (!subKey.empty() && subKey.back() == '\\')
        subKey.remove_suffix(1);
    if (subKey.empty()) return path;
    if (!IsStorableName(subKey) || subKey.find("\\\\") != subKey.npos)
        throw RegistryError("Invalid key name \"" + std::string(subKey) + "\"");
    return path + '\\' + std::string(subKey);
}

const TRegistryKey* RegistryFile::FindKey(std::string_view path) const {
    auto found = FIndex.find(FoldCase(path));
    return found == FIndex.end() ? nullptr : &FKeys[found->second];
}

TRegistryKey* RegistryFile::FindMutableKey(std::string_view path) {
    return const_cast<TRegistryKey*>(FindKey(path));
}

bool RegistryFile::KeyExists(std::string_view path) const {
    if (FindKey(path) || HiveByName(path)) return true;
    std::string folded = FoldCase(path);
    return std::any_of(FKeys.begin(), FKeys.end(),
                       [&](const TRegistryKey& key) { return IsBelow(key.Path, folded); });
}

bool RegistryFile::CreateKey(std::string_view path) {
    if (FindKey(path)) return false;
    AddKey(std::string(path));
    return true;
}

TRegistryKey& RegistryFile::AddKey(std::string path) {
    FIndex.emplace(FoldCase(path), FKeys.size());
    FKeys.push_back({std::move(path), {}, {}});
    return FKeys.back();
}

bool RegistryFile::DeleteKey(std::string_view path) {
    std::string folded = FoldCase(path);
    std::size_t before = FKeys.size();
    std::erase_if(FKeys, [&](const TRegistryKey& key) {
        return FoldCase(key.Path) == folded || IsBelow(key.Path, folded);
    });
    if (FKeys.size() == before) return false;
    Reindex();
    return true;
}

void RegistryFile::Reindex() {
    FIndex.clear();
    for (std::size_t i = 0; i < FKeys.size(); ++i)
        FIndex.emplace(FoldCase(FKeys[i].Path), i);
}

std::vector<std::string> RegistryFile::SubKeyNames(std::string_view path) const {
    std::string folded = FoldCase(path);
    auto depth = static_cast<std::size_t>(std::count(path.begin(), path.end(), '\\')) + 1;
    std::vector<std::string> names;
    for (const TRegistryKey& key : FKeys) {
        if (!IsBelow(key.Path, folded)) continue;
        std::string_view name = Component(key.Path, depth);
        bool seen = std::any_of(names.begin(), names.end(),
                                [&](const std::string& known) { return SameKeyPath(known, name); });
        if (!seen) names.emplace_back(name);
    }
    return names;
}

const TRegistryValue* RegistryFile::FindValue(std::string_view path, std::string_view name) const {
    const TRegistryKey* key = FindKey(path);
    if (!key) return nullptr;
    auto found = key->ValueIndex.find(FoldCase(name));
    return found == key->ValueIndex.end() ? nullptr : &key->Values[found->second];
}

void RegistryFile::SetValue(std::string_view path, std::string_view name, uint32_t type,
                            std::string data) {
    if (!IsStorableName(name))
        throw RegistryError("Invalid value name \"" + std::string(name) + "\"");
    TRegistryKey* key = FindMutableKey(path);
    if (!key) key = &AddKey(std::string(path));
    auto [slot, added] = key->ValueIndex.emplace(FoldCase(name), key->Values.size());
    if (added) {
        key->Values.push_back({std::string(name), type, std::move(data)});
        return;
    }
    TRegistryValue& existing = key->Values[slot->second];
    existing.Type = type;
    existing.Data = std::move(data);
}

bool RegistryFile::DeleteValue(std::string_view path, std::string_view name) {
    TRegistryKey* key = FindMutableKey(path);
    if (!key) return false;
    auto found = key->ValueIndex.find(FoldCase(name));
    if (found == key->ValueIndex.end()) return false;
    key->Values.erase(key->Values.begin() + static_cast<std::ptrdiff_t>(found->second));
    ReindexValues(*key);
    return true;
}

void RegistryFile::ReindexValues(TRegistryKey& key) {
    key.ValueIndex.clear();
    for (std::size_t i = 0; i < key.Values.size(); ++i)
        key.ValueIndex.emplace(FoldCase(key.Values[i].Name), i);
}

} // namespace platform
