// Build-time tool: compiles a skin manifest (see skin/TskThemeManifest.h)
// into a skin file.
//   xf_skinc <out.skn> <manifest.txt>
#include "gui/Exception.h"
#include "skin/TskThemeManifest.h"

#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: xf_skinc <out.skn> <manifest.txt>\n");
        return 2;
    }
    const std::string output = argv[1];
    // Written beside the target and renamed over it, so that a failed run
    // never leaves half a skin file for the next build step to pick up.
    const std::string partial = output + ".partial";
    try {
        TskThemeManifest manifest = TskThemeManifest::FromFile(argv[2]);
        for (const std::string& warning : manifest.Warnings())
            std::fprintf(stderr, "xf_skinc: warning: %s\n", warning.c_str());
        manifest.Writer().SaveToFile(partial);
        std::error_code error;
        std::filesystem::rename(partial, output, error);
        if (error) throw EFOpenError("Cannot write file \"" + output + "\": " + error.message());
    } catch (const std::exception& error) {
        std::error_code ignored;
        std::filesystem::remove(partial, ignored);
        std::fprintf(stderr, "xf_skinc: %s\n", error.what());
        return 1;
    }
    return 0;
}
