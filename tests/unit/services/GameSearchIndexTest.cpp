// The game search index over keys made by the real transliteration: what a
// player types (characters, pinyin, initials, a mix) against what is found,
// in which order, and what hostile queries do.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "services/CodePoints.h"
#include "services/TGameSearchIndex.h"
#include "services/TPinyin.h"

namespace {

class GameSearchIndexTest : public ::testing::Test {
protected:
    void Add(const std::string& name) {
        FIndex.Add({static_cast<int64_t>(FIndex.Size() + 1), name, "棋牌", "http://g/" + name},
                   TPinyin::Keys(name));
    }
    void AddAll(const std::vector<std::string>& names) {
        for (const std::string& name : names)
            Add(name);
    }
    // The names found, best first.
    std::vector<std::string> Find(const std::string& query, size_t limit = 50) const {
        std::vector<std::string> names;
        for (const TGameHit& hit : FIndex.Search(query, limit).Hits)
            names.push_back(hit.Game->Name);
        return names;
    }
    TGameMatch MatchOf(const std::string& query, const std::string& name) const {
        for (const TGameHit& hit : FIndex.Search(query, 1000).Hits)
            if (hit.Game->Name == name) return hit.Match;
        ADD_FAILURE() << query << " did not find " << name;
        return TGameMatch::Substring;
    }
    TGameSearchIndex FIndex;
};

using Names = std::vector<std::string>;

TEST(PinyinTest, KeysCarryEveryReadingOfACharacterAndLatinWordsWhole) {
    EXPECT_EQ(TPinyin::Keys("中国象棋"), "中zhong 国guo 象xiang 棋qi");
    // The transliteration alone reads 地 as "de"; game names mean "di".
    EXPECT_EQ(TPinyin::Keys("斗地主"), "斗dou 地di|de 主zhu");
    EXPECT_EQ(TPinyin::Keys("Super Mario 3D!"), "super mario 3d");
    // Punctuation and blanks only separate; a ü reading is kept with v too.
    EXPECT_EQ(TPinyin::Keys("绿·野"), "绿lv|lu 野ye");
    EXPECT_EQ(TPinyin::Keys(""), "");
    EXPECT_TRUE(TPinyin::Readings(U'a').empty());
    std::vector<std::string> car = TPinyin::Readings(U'车');
    EXPECT_NE(std::find(car.begin(), car.end(), "ju"), car.end());
}

TEST_F(GameSearchIndexTest, FindsByCharactersFullPinyinInitialsAndMixes) {
    AddAll({"中国象棋", "围棋对弈", "欢乐斗地主", "连连看", "俄罗斯方块", "Super Mario Run"});
    EXPECT_EQ(Find("象棋"), Names{"中国象棋"});
    EXPECT_EQ(Find("xiangqi"), Names{"中国象棋"});
    EXPECT_EQ(Find("xq"), Names{"中国象棋"});
    EXPECT_EQ(Find("zgxq"), Names{"中国象棋"});
    EXPECT_EQ(Find("zhongguoxq"), Names{"中国象棋"});
    EXPECT_EQ(Find("中国xq"), Names{"中国象棋"});
    EXPECT_EQ(Find("zhgxiangq"), Names{"中国象棋"}); // zh as one initial
    EXPECT_EQ(Find("XiangQi"), Names{"中国象棋"});
    EXPECT_EQ(Find("  xiang qi  "), Names{"中国象棋"});
    // A reading half typed at the end still finds; in the middle it does not.
    EXPECT_EQ(Find("lianlianka"), Names{"连连看"});
    EXPECT_TRUE(Find("lialiankan").empty());
    EXPECT_EQ(Find("smr"), Names{"Super Mario Run"});
    EXPECT_EQ(Find("mario"), Names{"Super Mario Run"});
    EXPECT_EQ(Find("supermario"), Names{"Super Mario Run"});
    // Letters that are in the name's pinyin but not in this order find nothing.
    EXPECT_TRUE(Find("qx").empty());
    EXPECT_TRUE(Find("xiangqq").empty());
}

TEST_F(GameSearchIndexTest, PolyphonesAreFoundByEitherReading) {
    AddAll({"欢乐斗地主", "重装机甲", "合金弹头", "长城守卫"});
    EXPECT_EQ(Find("doudizhu"), Names{"欢乐斗地主"});
    EXPECT_EQ(Find("doudezhu"), Names{"欢乐斗地主"});
    EXPECT_EQ(Find("ddz"), Names{"欢乐斗地主"});
    EXPECT_EQ(Find("huanyue"), Names{"欢乐斗地主"});
    EXPECT_EQ(Find("chongzhuang"), Names{"重装机甲"});
    EXPECT_EQ(Find("zhongzhuang"), Names{"重装机甲"});
    EXPECT_EQ(Find("hejindantou"), Names{"合金弹头"});
    EXPECT_EQ(Find("changcheng"), Names{"长城守卫"});
}

TEST_F(GameSearchIndexTest, RanksExactThenPrefixThenInitialsThenSubstring) {
    // Added worst first, so the order found is the ranking's, not the list's.
    AddAll({"大战象棋王", "中国象棋", "国象棋", "象棋大师", "象棋"});
    EXPECT_EQ(Find("象棋"), (Names{"象棋", "象棋大师", "国象棋", "中国象棋", "大战象棋王"}));
    EXPECT_EQ(MatchOf("象棋", "象棋"), TGameMatch::Exact);
    EXPECT_EQ(MatchOf("xiangqi", "象棋"), TGameMatch::Exact);
    EXPECT_EQ(MatchOf("xq", "象棋"), TGameMatch::Exact);
    EXPECT_EQ(MatchOf("xq", "象棋大师"), TGameMatch::Prefix);
    EXPECT_EQ(MatchOf("xq", "中国象棋"), TGameMatch::Initials);
    EXPECT_EQ(MatchOf("xiangqi", "中国象棋"), TGameMatch::Substring);
    EXPECT_EQ(Find("xq"), (Names{"象棋", "象棋大师", "国象棋", "中国象棋", "大战象棋王"}));
    // Within a rank: the earlier match, then the shorter name, then the list.
    FIndex = {};
    AddAll({"棋牌乐园", "棋王", "棋王争霸", "棋王"});
    std::vector<TGameHit> hits = FIndex.Search("qw", 10).Hits;
    ASSERT_EQ(hits.size(), 3u);
    EXPECT_EQ(hits[0].Game->Id, 2);
    EXPECT_EQ(hits[1].Game->Id, 4);
    EXPECT_EQ(hits[2].Game->Name, "棋王争霸");
}

TEST_F(GameSearchIndexTest, LimitKeepsTheBestAndTotalCountsEveryMatch) {
    for (int i = 0; i < 30; ++i)
        Add("象棋残局" + std::to_string(i));
    Add("象棋");
    TGameSearchResult result = FIndex.Search("xq", 10);
    EXPECT_EQ(result.Total, 31u);
    ASSERT_EQ(result.Hits.size(), 10u);
    EXPECT_EQ(result.Hits[0].Game->Name, "象棋");
    EXPECT_TRUE(FIndex.Search("xq", 0).Hits.empty());
}

TEST_F(GameSearchIndexTest, HostileQueriesFindNothingOrOnlyWhatTheyName) {
    AddAll({"台球 & 斯诺克", "100% 赛车", "a_b 棋", "中国象棋"});
    // No pattern language: % and _ are characters like any other.
    EXPECT_EQ(Find("%"), Names{"100% 赛车"});
    EXPECT_EQ(Find("_"), Names{"a_b 棋"});
    EXPECT_TRUE(Find("%象%").empty());
    EXPECT_EQ(Find("球 & 斯"), Names{"台球 & 斯诺克"});
    EXPECT_TRUE(Find("").empty());
    EXPECT_TRUE(Find(" \t　").empty());
    // Malformed UTF-8, a lone continuation byte, an overlong slash, NUL.
    EXPECT_TRUE(Find("\xff\xfe").empty());
    EXPECT_TRUE(Find("\x80").empty());
    EXPECT_TRUE(Find("\xc0\xaf").empty());
    EXPECT_TRUE(Find(std::string("x\0q", 3)).empty());
    EXPECT_EQ(Find("\xe4\xb8\xad\xff"), Names{}); // 中 then a bad byte
    // Longer than any name is typed: nothing, whatever it holds.
    EXPECT_TRUE(Find(std::string(TGameSearchIndex::MaxQueryPoints + 1, 'x')).empty());
    EXPECT_TRUE(Find(std::string(1 << 20, 'q')).empty());
    EXPECT_EQ(Find(std::string(TGameSearchIndex::MaxQueryPoints, ' ') + "xq"), Names{"中国象棋"});
}

TEST_F(GameSearchIndexTest, MalformedNamesAndKeysAreSearchedSafely) {
    FIndex.Add({1, "\xff象棋\xfe", "", ""}, TPinyin::Keys("\xff象棋\xfe"));
    FIndex.Add({2, "无键", "", ""}, "");
    FIndex.Add({3, "坏键", "", ""}, "|| \xff |x| 坏");
    EXPECT_EQ(Find("xq"), Names{"\xff象棋\xfe"});
    EXPECT_EQ(Find("无键"), Names{"无键"});
    EXPECT_EQ(Find("坏"), Names{"坏键"});
    EXPECT_EQ(Find("x").size(), 2u);
}

// Any span of a name typed any way (each character as itself, one of its
// readings, or its initial) finds that name: nothing the search skips
// without spelling it out, and no reading of a span missed.
TEST_F(GameSearchIndexTest, EveryWayOfTypingASpanFindsTheName) {
    const std::u32string pool = U"中国象棋斗地主连看围对弈长城重装乐欢大战王车";
    std::mt19937 random(7);
    std::vector<std::u32string> names;
    for (int i = 0; i < 300; ++i) {
        std::u32string name;
        for (int k = 0; k < 2 + static_cast<int>(random() % 5); ++k)
            name += pool[random() % pool.size()];
        names.push_back(name);
        Add(codepoints::Encode({name.begin(), name.end()}));
    }
    for (int round = 0; round < 600; ++round) {
        const std::u32string& name = names[random() % names.size()];
        size_t from = random() % name.size();
        size_t to = from + 1 + random() % (name.size() - from);
        std::string query;
        for (size_t k = from; k < to; ++k) {
            std::vector<std::string> readings = TPinyin::Readings(name[k]);
            const std::string& reading = readings[random() % readings.size()];
            switch (random() % 3) {
            case 0:
                codepoints::Append(query, name[k]);
                break;
            case 1:
                query += reading;
                break;
            default:
                query += reading[0];
                break;
            }
        }
        std::string expected = codepoints::Encode({name.begin(), name.end()});
        std::vector<std::string> found = Find(query, 1000);
        EXPECT_NE(std::find(found.begin(), found.end(), expected), found.end())
            << query << " did not find " << expected;
    }
}

} // namespace
