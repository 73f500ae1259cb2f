#include "tools/stylepics/TPictureSet.h"

#include <algorithm>
#include <set>
#include <stdexcept>

#include "gui/graphics/TCanvas.h"
#include "tools/stylepics/Rgba.h"

namespace stylepics {

TBitmap& TPictureSet::Add(const std::string& name, const std::string& group, int width, int height,
                          int frames) {
    if (Find(name)) throw std::logic_error("picture made twice: " + name);
    auto picture = std::make_unique<TBitmap>(width, height);
    picture->Canvas().Brush().SetColor(clMagenta);
    picture->Canvas().FillRect(picture->BoundsRect());
    FEntries.push_back({name, group, frames, std::move(picture)});
    return *FEntries.back().Picture;
}

const TPictureSet::TEntry* TPictureSet::Find(const std::string& name) const {
    auto it = std::find_if(FEntries.begin(), FEntries.end(),
                           [&](const TEntry& e) { return e.Name == name; });
    return it == FEntries.end() ? nullptr : &*it;
}

std::vector<std::string> TPictureSet::Groups() const {
    std::vector<std::string> groups;
    for (const TEntry& e : FEntries)
        if (std::find(groups.begin(), groups.end(), e.Group) == groups.end())
            groups.push_back(e.Group);
    return groups;
}

std::vector<std::string> TPictureSet::Differences(const std::vector<std::string>& expected) const {
    std::set<std::string> made, listed(expected.begin(), expected.end());
    for (const TEntry& e : FEntries)
        made.insert(e.Name);
    std::vector<std::string> out;
    for (const std::string& name : made)
        if (!listed.count(name)) out.push_back("made but not listed: " + name);
    for (const std::string& name : listed)
        if (!made.count(name)) out.push_back("listed but not made: " + name);
    return out;
}

} // namespace stylepics
