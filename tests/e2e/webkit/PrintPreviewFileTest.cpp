// Where print preview puts its PDF: never at a name another user can
// guess and plant a link at, never through a link, and gone with the
// factory.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <memory>
#include <sstream>

#include "WebKitTestSupport.h"
#include "platform/browser/webkit/TWebKitEngine.h"
#include "platform/browser/webkit/TWebKitFactory.h"

using namespace e2e;
using platform::TWebKitEngine;
using platform::TWebKitFactory;

namespace {

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

bool IsLink(const std::string& path) {
    struct stat st;
    return lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode);
}

std::string Folder(const std::string& path) {
    gchar* dir = g_path_get_dirname(path.c_str());
    std::string result = dir;
    g_free(dir);
    return result;
}

TEST(PrintPreviewFileTest, LinksPlantedForThePreviewAreNeverFollowedAndAllGoesAtTheEnd) {
    std::string victim = std::string(g_get_tmp_dir()) + "/xf-preview-victim-" + std::to_string(getpid());
    { std::ofstream(victim) << "the user's own file"; }
    // Links at the names every earlier version printed to.
    std::vector<std::string> planted;
    for (int n = 1; n <= 3; ++n) {
        std::string name = std::string(g_get_tmp_dir()) + "/xingfan-preview-" +
                           std::to_string(getpid()) + "-" + std::to_string(n) + ".pdf";
        unlink(name.c_str());
        ASSERT_EQ(symlink(victim.c_str(), name.c_str()), 0);
        planted.push_back(name);
    }

    TTestWindow window;
    auto factory = std::make_unique<TWebKitFactory>(false);
    TEventLog log;
    {
        auto engine = std::unique_ptr<TWebKitEngine>(
            static_cast<TWebKitEngine*>(factory->CreateEngine(log.Events()).release()));
        window.Put(engine->NativeView(), 0, 0, 400, 300);
        engine->Navigate(PageURL("body.htm"));
        ASSERT_TRUE(RunUntil([&] { return !log.Completed.empty(); }));
        std::string preview;
        factory->SetPreviewHandler([&](const std::string& path) { preview = path; });

        engine->PrintPreview();
        ASSERT_TRUE(RunUntil([&] { return !preview.empty(); }, 20000));
        EXPECT_EQ(ReadFile(preview).substr(0, 4), "%PDF");
        std::string folder = Folder(preview);
        EXPECT_NE(folder, std::string(g_get_tmp_dir()));
        struct stat st;
        ASSERT_EQ(stat(folder.c_str(), &st), 0);
        EXPECT_EQ(st.st_mode & 0777, 0700u) << "the folder is open to others";
        EXPECT_EQ(st.st_uid, getuid());

        // A link planted inside the folder at the next names: the preview
        // goes past them, and the files they point at stay as they were.
        std::string first = preview;
        std::string stem = first.substr(0, first.rfind('-') + 1);
        int number = std::stoi(first.substr(stem.size()));
        for (int n = number + 1; n <= number + 2; ++n) {
            std::string next = stem + std::to_string(n) + ".pdf";
            ASSERT_EQ(symlink(victim.c_str(), next.c_str()), 0) << next;
            planted.push_back(next);
        }
        preview.clear();
        engine->PrintPreview();
        ASSERT_TRUE(RunUntil([&] { return !preview.empty(); }, 20000));
        EXPECT_FALSE(IsLink(preview));
        EXPECT_EQ(ReadFile(preview).substr(0, 4), "%PDF");
        EXPECT_EQ(Folder(preview), folder);
        EXPECT_EQ(ReadFile(victim), "the user's own file");
        EXPECT_TRUE(log.Failures.empty()) << ::testing::PrintToString(log.Failures);

        engine.reset();
        factory.reset();
        EXPECT_FALSE(g_file_test(folder.c_str(), G_FILE_TEST_EXISTS)) << "the preview folder stayed";
    }
    EXPECT_EQ(ReadFile(victim), "the user's own file");
    for (const std::string& link : planted)
        unlink(link.c_str());
    unlink(victim.c_str());
}

} // namespace
