#include "tools/stylepics/PictureSizes.h"

#include <map>
#include <stdexcept>

namespace stylepics {

const std::vector<std::string> StylePrefixes = {"MACOS", "WINXP", "DEEPBLUE", "PROTEIN",
                                                "BLUEGLASS"};

namespace {

struct TRow {
    const char* Part;
    int Frames;
    int Sizes[5][2]; // in StylePrefixes order; 0 x 0: the style has none
};

// clang-format off
const TRow Table[] = {
    {"BUTTON",             3, {{252, 23}, {54, 21}, {222, 21}, {222, 21}, {231, 27}}},
    {"CHECKBOX",           4, {{60, 17},  {52, 13}, {52, 13},  {52, 13},  {52, 13}}},
    {"RADIOBUTTON",        4, {{64, 17},  {52, 13}, {52, 13},  {52, 13},  {52, 13}}},
    {"TITLEBTN",          18, {{306, 17}, {378, 21}, {342, 19}, {342, 19}, {342, 19}}},
    {"TITLE_LEFT",         1, {{48, 23},  {35, 29}, {97, 32},  {441, 23}, {162, 33}}},
    {"TITLE_CLIENT",       1, {{49, 23},  {37, 29}, {98, 32},  {1, 23},   {179, 33}}},
    {"TITLE_RIGHT",        1, {{48, 23},  {35, 29}, {97, 32},  {1, 23},   {101, 33}}},
    {"PROGRESSBAR",        1, {{13, 10},  {6, 10},  {1, 10},   {1, 10},   {1, 10}}},
    {"TRACKBAR_BAR",       3, {{45, 5},   {45, 8},  {45, 4},   {45, 4},   {45, 4}}},
    {"TRACKBAR_SLIDER",    1, {{11, 20},  {11, 21}, {11, 20},  {11, 20},  {11, 20}}},
    {"TRACKBAR_SLIDER_V",  1, {{19, 11},  {22, 11}, {18, 11},  {18, 11},  {18, 11}}},
    {"SCROLLBAR_BUTTON",   6, {{96, 22},  {96, 17}, {96, 16},  {96, 16},  {102, 16}}},
    {"SCROLLBAR_TRACK",    3, {{33, 16},  {21, 16}, {21, 16},  {21, 16},  {21, 16}}},
    {"CHECKLIST",          4, {{40, 11},  {44, 11}, {44, 11},  {44, 11},  {44, 11}}},
    {"SCROLLBUTTON",       4, {{72, 18},  {72, 18}, {0, 0},    {0, 0},    {0, 0}}},
    {"TAB",                2, {{36, 27},  {18, 18}, {12, 17},  {18, 17},  {18, 17}}},
    {"TAB_LINE",           1, {{17, 7},   {8, 1},   {5, 5},    {10, 5},   {10, 5}}},
    {"SIDECHENNEL_HANDLE", 1, {{7, 84},   {8, 86},  {8, 83},   {8, 83},   {8, 86}}},
    {"SIDECHENNEL_BAR",    1, {{1, 21},   {1, 21},  {1, 20},   {1, 21},   {1, 21}}},
};
// clang-format on

const TRow* FindRow(const std::string& part) {
    for (const TRow& row : Table)
        if (part == row.Part) return &row;
    return nullptr;
}

int StyleIndex(const std::string& prefix) {
    for (size_t i = 0; i < StylePrefixes.size(); ++i)
        if (StylePrefixes[i] == prefix) return static_cast<int>(i);
    return -1;
}

} // namespace

bool StyleHasPart(const std::string& prefix, const std::string& part) {
    const TRow* row = FindRow(part);
    const int style = StyleIndex(prefix);
    return row && style >= 0 && row->Sizes[style][0] > 0;
}

TPartSize StylePartSize(const std::string& prefix, const std::string& part) {
    if (!StyleHasPart(prefix, part)) throw std::out_of_range("no picture " + prefix + "_" + part);
    const TRow& row = *FindRow(part);
    const int style = StyleIndex(prefix);
    return {row.Sizes[style][0], row.Sizes[style][1], row.Frames};
}

} // namespace stylepics
