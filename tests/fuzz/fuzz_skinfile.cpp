// Feeds arbitrary bytes to the skin file reader and checks what it promises
// for damaged files: no read outside the input, no endless chain, no more
// entry bytes held than the input has, every loaded key found again.
#include "skin/TskThemeFileReader.h"

#include <cstdint>
#include <cstdlib>
#include <span>
#include <string_view>

namespace {

void Check(bool condition) {
    if (!condition) std::abort();
}

size_t TextBytes(const std::vector<std::string>& table) {
    size_t total = 0;
    for (const std::string& item : table)
        total += item.size() - item.find('=') - 1;
    return total;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    TskThemeFileReader reader(std::span<const uint8_t>(data, size));

    size_t held = TextBytes(reader.StringTable());
    for (const auto& item : reader.StreamTable()) {
        held += static_cast<size_t>(item.Stream->Size());
        TMemoryStream* found = reader.GetStream(item.Key);
        Check(found != nullptr && found->Position() == 0);
        found->Seek(0, TSeekOrigin::soEnd);
    }
    Check(held <= size);
    Check(reader.Problems().size() <= TskThemeFileReader::MaxProblems);
    Check(reader.Problems().size() <= reader.ProblemCount());
    size_t entries = reader.StreamTable().size() + reader.IntegerTable().size() +
                     reader.ByteTable().size() + reader.StringTable().size();
    Check(entries * SkinFileRecordSize <= size);

    for (const std::string& item : reader.IntegerTable())
        reader.GetInteger(std::string_view(item).substr(0, item.find('=')));
    for (const std::string& item : reader.ByteTable())
        reader.GetBool(std::string_view(item).substr(0, item.find('=')));
    reader.GetInteger("FormBorderColor");
    reader.GetBool("ButtonTransparentBool");
    return 0;
}
