#include "gui/TStringList.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "gui/Exception.h"
#include "platform/Text.h"

static bool LessText(const std::string& a, const std::string& b) {
    return platform::AsciiLower(a) < platform::AsciiLower(b);
}

const std::string& TStringList::operator[](int index) const {
    if (index < 0 || index >= Count())
        throw EComponentError("List index out of bounds (" + std::to_string(index) + ")");
    return FItems[static_cast<size_t>(index)];
}

int TStringList::Add(const std::string& text) {
    int index = Count();
    if (FSorted)
        index = static_cast<int>(std::upper_bound(FItems.begin(), FItems.end(), text, LessText) -
                                 FItems.begin());
    FItems.insert(FItems.begin() + index, text);
    Changed();
    return index;
}

void TStringList::Insert(int index, const std::string& text) {
    if (index < 0 || index > Count())
        throw EComponentError("List index out of bounds (" + std::to_string(index) + ")");
    FItems.insert(FItems.begin() + index, text);
    Changed();
}

void TStringList::Delete(int index) {
    (void)(*this)[index];
    FItems.erase(FItems.begin() + index);
    Changed();
}

void TStringList::Put(int index, const std::string& text) {
    (void)(*this)[index];
    FItems[static_cast<size_t>(index)] = text;
    Changed();
}

void TStringList::Clear() {
    if (FItems.empty()) return;
    FItems.clear();
    Changed();
}

void TStringList::Assign(const std::vector<std::string>& items) {
    FItems = items;
    if (FSorted) Sort();
    Changed();
}

int TStringList::IndexOf(std::string_view text) const {
    for (int i = 0; i < Count(); ++i)
        if (platform::SameText(FItems[static_cast<size_t>(i)], text)) return i;
    return -1;
}

void TStringList::SetSorted(bool sorted) {
    if (sorted == FSorted) return;
    FSorted = sorted;
    if (sorted) {
        Sort();
        Changed();
    }
}

void TStringList::Sort() {
    std::stable_sort(FItems.begin(), FItems.end(), LessText);
}

std::string TStringList::Text() const {
    std::string out;
    for (const std::string& line : FItems) {
        out += line;
        out += "\r\n";
    }
    return out;
}

void TStringList::SetText(std::string_view text) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n') continue;
        lines.emplace_back(text.substr(start, i - start));
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        start = i + 1;
    }
    if (start < text.size()) lines.emplace_back(text.substr(start));
    Assign(lines);
}

void TStringList::SaveToFile(const std::string& fileName) const {
    const std::string text = Text();
    FILE* f = std::fopen(fileName.c_str(), "wb");
    if (!f) throw EFOpenError("Cannot create file \"" + fileName + "\". " + std::strerror(errno));
    bool ok = std::fwrite(text.data(), 1, text.size(), f) == text.size();
    ok = std::fclose(f) == 0 && ok;
    if (!ok) throw EFOpenError("Cannot write file \"" + fileName + "\"");
}

void TStringList::EndUpdate() {
    if (FUpdating > 0) --FUpdating;
    if (FUpdating == 0 && FChangedWhileUpdating) {
        FChangedWhileUpdating = false;
        Changed();
    }
}

void TStringList::Changed() {
    if (FUpdating > 0) {
        FChangedWhileUpdating = true;
        return;
    }
    if (OnChange) OnChange();
}
