// Build-time tool: paints the built-in style pictures and the program's own
// pictures and writes them as BMP files, one per resource name.
//   xf_stylepics_gen --out <dir> [--images <dir>] [--icons <dir>] [--expect NAME...]
//   xf_stylepics_gen --sheet <GROUP|ALL> <file.bmp> [--zoom N] [--keyed]
//   xf_stylepics_gen --list      (the names, one a line)
#include <algorithm>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <string>
#include <vector>

#include "tools/stylepics/Catalogue.h"
#include "tools/stylepics/TContactSheet.h"
#include "tools/stylepics/TProgramIcon.h"

using namespace stylepics;

namespace {

struct TOptions {
    std::string OutDir;
    std::string ImagesDir;
    std::string IconsDir;
    std::vector<std::string> Expected;
    bool CheckExpected = false;
    std::string SheetGroup;
    std::string SheetFile;
    int Zoom = 2;
    bool Keyed = false;
    bool List = false;
};

[[noreturn]] void Usage() {
    std::fprintf(stderr,
                 "usage: xf_stylepics_gen --out <dir> [--images <dir>] [--icons <dir>] [--expect NAME...]\n"
                 "       xf_stylepics_gen --sheet <GROUP|ALL> <file.bmp> [--zoom N] [--keyed]\n"
                 "       xf_stylepics_gen --list\n");
    std::exit(2);
}

TOptions Parse(int argc, char** argv) {
    TOptions o;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const auto next = [&]() -> std::string {
            if (i + 1 >= argc) Usage();
            return argv[++i];
        };
        if (arg == "--out") {
            o.OutDir = next();
        } else if (arg == "--images") {
            o.ImagesDir = next();
        } else if (arg == "--icons") {
            o.IconsDir = next();
        } else if (arg == "--sheet") {
            o.SheetGroup = next();
            o.SheetFile = next();
        } else if (arg == "--zoom") {
            o.Zoom = std::clamp(std::atoi(next().c_str()), 1, 8);
        } else if (arg == "--list") {
            o.List = true;
        } else if (arg == "--keyed") {
            o.Keyed = true;
        } else if (arg == "--expect") {
            o.CheckExpected = true;
            while (i + 1 < argc && std::string(argv[i + 1]).rfind("--", 0) != 0)
                o.Expected.push_back(argv[++i]);
        } else {
            Usage();
        }
    }
    if (o.OutDir.empty() && o.SheetFile.empty() && !o.List) Usage();
    return o;
}

// The build lists the outputs by name; a picture the list lacks would never
// be embedded, a listed one not made would never be built.
bool SameNames(const TPictureSet& set, const std::vector<std::string>& expected) {
    const std::vector<std::string> problems = set.Differences(expected);
    for (const std::string& problem : problems)
        std::fprintf(stderr, "%s\n", problem.c_str());
    return problems.empty();
}

void WriteAll(const TPictureSet& set, const std::string& dir) {
    std::filesystem::create_directories(dir);
    for (const auto& e : set.Entries())
        e.Picture->SaveToFile(dir + "/" + e.Name + ".bmp");
}

// The left-pane button's two pictures are loaded from files beside the
// executable.
void WriteImages(const TPictureSet& set, const std::string& dir) {
    std::filesystem::create_directories(dir);
    const std::pair<const char*, const char*> files[] = {{"APP_BTN_LEFTSHOW", "show.bmp"},
                                                         {"APP_BTN_LEFTHIDE", "hide.bmp"}};
    for (const auto& [name, file] : files) {
        const TPictureSet::TEntry* e = set.Find(name);
        if (!e) throw std::runtime_error(std::string("missing picture ") + name);
        e->Picture->SaveToFile(dir + "/" + file);
    }
}

// The program's icon at every size, laid out as the desktop's icon theme
// wants it: <dir>/<N>x<N>/apps/xingfan.png.
void WriteIcons(const std::string& dir) {
    for (int size : TProgramIcon::Sizes()) {
        const std::string folder = dir + "/" + std::to_string(size) + "x" + std::to_string(size) + "/apps";
        std::filesystem::create_directories(folder);
        TProgramIcon::SavePng(TProgramIcon::Paint(size), folder + "/xingfan.png");
    }
}

} // namespace

int main(int argc, char** argv) {
    const TOptions options = Parse(argc, argv);
    try {
        TPictureSet set;
        MakeAllPictures(set);
        if (options.CheckExpected && !SameNames(set, options.Expected)) return 1;
        if (options.List)
            for (const auto& e : set.Entries())
                std::printf("%s\n", e.Name.c_str());
        if (!options.OutDir.empty()) WriteAll(set, options.OutDir);
        if (!options.ImagesDir.empty()) WriteImages(set, options.ImagesDir);
        if (!options.IconsDir.empty()) WriteIcons(options.IconsDir);
        if (!options.SheetFile.empty()) {
            TBitmap sheet;
            TContactSheet(set, options.Zoom, options.Keyed).Render(options.SheetGroup, sheet);
            sheet.SaveToFile(options.SheetFile);
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "xf_stylepics_gen: %s\n", e.what());
        return 1;
    }
    return 0;
}
