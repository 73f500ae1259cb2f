#include "services/TListImport.h"

#include "platform/TProfile.h"

namespace {

// Replaces `field` when the key has a value; true when it had one.
bool Carry(const platform::TProfile& list, const std::string& section, const char* key,
           std::string& field) {
    std::string value = list.ReadString(section, key, "", TListImport::ValueBufferChars);
    if (value.empty()) return false;
    field = std::move(value);
    return true;
}

} // namespace

std::size_t TListImport::Run(const platform::TProfile& list, int first, int last,
                             const TInsert& insert) {
    TListEntry current;
    std::size_t count = 0;
    for (int k = first; k <= last; ++k) {
        std::string section = std::to_string(k);
        bool any = Carry(list, section, "mc", current.Name);
        any = Carry(list, section, "lx", current.Class) || any;
        any = Carry(list, section, "url", current.URL) || any;
        if (!any) break;
        insert(current);
        ++count;
    }
    return count;
}
