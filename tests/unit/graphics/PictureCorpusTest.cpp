// Every file of the BMP suite: good files must match their reference
// rendering exactly, bad and questionable ones must be handled without a
// crash (an empty picture and an error, or a picture).
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <vector>

#include "gui/graphics/EInvalidGraphic.h"
#include "gui/graphics/TPicture.h"

namespace fs = std::filesystem;

namespace {

const fs::path Corpus = fs::path(XF_SOURCE_DIR) / "tests/data/bmpsuite";

// "g/pal1.bmp" -> its acceptable references, preferred first.
std::map<std::string, std::vector<std::string>> ReadRefMap() {
    std::map<std::string, std::vector<std::string>> refs;
    std::ifstream in(Corpus / "refmap.tsv");
    std::string line;
    std::getline(in, line); // column names
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        std::string bmp, ref;
        fields >> bmp;
        while (fields >> ref)
            refs[bmp].push_back(ref);
        refs[bmp];
    }
    return refs;
}

std::vector<std::string> FilesIn(const char* folder) {
    std::vector<std::string> files;
    for (const auto& e : fs::directory_iterator(Corpus / folder))
        if (e.path().extension() == ".bmp")
            files.push_back(std::string(folder) + "/" + e.path().filename().string());
    std::sort(files.begin(), files.end());
    return files;
}

// Empty when equal, else where the first difference is.
std::string Compare(const TBitmap& got, const TBitmap& want) {
    if (got.Width() != want.Width() || got.Height() != want.Height())
        return "size " + std::to_string(got.Width()) + "x" + std::to_string(got.Height()) +
               " instead of " + std::to_string(want.Width()) + "x" + std::to_string(want.Height());
    for (int y = 0; y < got.Height(); ++y)
        for (int x = 0; x < got.Width(); ++x)
            if (got.GetPixel(x, y) != want.GetPixel(x, y))
                return "pixel " + std::to_string(x) + "," + std::to_string(y);
    return {};
}

bool MatchesAnyReference(const TPicture& picture, const std::vector<std::string>& refs,
                         std::string& why) {
    for (const std::string& ref : refs) {
        if (!ref.ends_with(".png")) continue;
        TPicture expected;
        expected.LoadFromFile((Corpus / ref).string());
        why = Compare(picture.Bitmap(), expected.Bitmap());
        if (why.empty()) return true;
        why = ref + ": " + why;
    }
    return false;
}

} // namespace

TEST(PictureCorpus, GoodFilesMatchTheirReferences) {
    const auto refs = ReadRefMap();
    const auto files = FilesIn("g");
    ASSERT_GE(files.size(), 25u);
    for (const std::string& name : files) {
        SCOPED_TRACE(name);
        ASSERT_TRUE(refs.count(name)) << "not in refmap.tsv";
        TPicture picture;
        ASSERT_NO_THROW(picture.LoadFromFile((Corpus / name).string()));
        EXPECT_GT(picture.Width(), 0);
        std::string why;
        EXPECT_TRUE(MatchesAnyReference(picture, refs.at(name), why)) << why;
    }
}

TEST(PictureCorpus, ReferencesThemselvesLoadAsPng) {
    TPicture ref;
    ref.LoadFromFile((Corpus / "ref/rgb24.png").string());
    EXPECT_EQ(ref.Width(), 127);
    EXPECT_EQ(ref.Height(), 64);
    // Not all one colour: the comparison above means something.
    EXPECT_NE(ref.Bitmap().GetPixel(0, 0), ref.Bitmap().GetPixel(63, 32));
}

TEST(PictureCorpus, BadFilesAreRejectedOrShownWithoutHarm) {
    const auto files = FilesIn("b");
    ASSERT_GE(files.size(), 15u);
    for (const std::string& name : files) {
        SCOPED_TRACE(name);
        TPicture picture;
        try {
            picture.LoadFromFile((Corpus / name).string());
            // What is shown has the size the header declares, nothing more.
            EXPECT_EQ(picture.Width(), 127);
            EXPECT_EQ(picture.Height(), 64);
        } catch (const EInvalidGraphic& e) {
            EXPECT_TRUE(picture.Empty());
            EXPECT_TRUE(std::string(e.what()).starts_with("Invalid BMP: ")) << e.what();
        }
    }
}

TEST(PictureCorpus, SpecificBadFilesNameTheirProblem) {
    auto reason = [](const char* name) {
        TPicture picture;
        try {
            picture.LoadFromFile((Corpus / "b" / name).string());
        } catch (const EInvalidGraphic& e) {
            return std::string(e.what());
        }
        return std::string("accepted");
    };
    EXPECT_NE(reason("reallybig.bmp").find("exceed the limit"), std::string::npos);
    EXPECT_NE(reason("badplanes.bmp").find("planes"), std::string::npos);
    EXPECT_NE(reason("badbitcount.bmp").find("bit count"), std::string::npos);
    EXPECT_NE(reason("badheadersize.bmp").find("header size"), std::string::npos);
    EXPECT_NE(reason("shortfile.bmp").find("truncated"), std::string::npos);
    EXPECT_NE(reason("badwidth.bmp").find("width"), std::string::npos);
    EXPECT_NE(reason("rletopdown.bmp").find("top-down"), std::string::npos);
    EXPECT_NE(reason("badpalettesize.bmp").find("palette"), std::string::npos);
}

TEST(PictureCorpus, QuestionableFilesDoNotCrash) {
    const auto refs = ReadRefMap();
    int decoded = 0, matching = 0;
    for (const std::string& name : FilesIn("q")) {
        SCOPED_TRACE(name);
        TPicture picture;
        try {
            picture.LoadFromFile((Corpus / name).string());
        } catch (const EInvalidGraphic&) {
            EXPECT_TRUE(picture.Empty());
            continue;
        }
        ++decoded;
        std::string why;
        if (refs.count(name) && MatchesAnyReference(picture, refs.at(name), why)) ++matching;
    }
    // Most of them are ordinary variations the decoder handles.
    EXPECT_GE(decoded, 25);
    EXPECT_GE(matching, 15);
}
