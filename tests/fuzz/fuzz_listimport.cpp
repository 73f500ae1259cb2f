// Game lists from the update server: any bytes must import as a bounded
// number of entries with values within the reader's buffer.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "platform/TProfile.h"
#include "platform/Text.h"
#include "services/TListImport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    platform::TProfile list(std::string_view(reinterpret_cast<const char*>(data), size));
    size_t seen = 0;
    auto check = [&](const TListEntry& entry) {
        ++seen;
        for (const std::string* value : {&entry.Name, &entry.Class, &entry.URL})
            if (platform::Utf8ToUtf16(*value).size() >= TListImport::ValueBufferChars) std::abort();
    };
    size_t count =
        TListImport::Run(list, TListImport::GameListFirst, TListImport::GameListLast, check);
    if (count != seen || count > size) std::abort();
    TListImport::Run(list, TListImport::SecondListFirst, TListImport::SecondListLast, check);
    return 0;
}
