// The game search over lists imported from a real local server into a real
// database file: keys written with the games, a database from before the
// keys mended at the next start, and the page's JSON answer.
#include "UpdateTestSupport.h"
#include "platform/Text.h"
#include "services/TGameSearch.h"
#include "services/TStartRecord.h"

namespace {

class GameSearchImportTest : public UpdateTest {
protected:
    void Start() {
        TStartRecord record(*FQuery, *FHttp, ProgramDir(), Server().BaseURL());
        record.Run("PC1");
    }
    std::string DatabaseFile() const { return (FProgram / "ocn.js").string(); }
    static std::string Gb(const std::string& name) { return platform::Utf8ToGb18030(name); }
    // A list in the Chinese code page, as the server keeps them.
    static std::string ChineseList(const std::vector<std::string>& names) {
        std::string text;
        for (size_t i = 0; i < names.size(); ++i)
            text += "[" + std::to_string(i) + "]\r\nmc=" + Gb(names[i]) + "\r\nlx=" + Gb("棋牌") +
                    "\r\nurl=http://g/" + std::to_string(i) + "\r\n";
        return text;
    }
    std::vector<std::string> Names(TGameSearch& search, const std::string& query) {
        std::vector<std::string> names;
        for (const TGameHit& hit : search.Search(query, 50).Hits)
            names.push_back(hit.Game->Name);
        return names;
    }
};

using Found = std::vector<std::string>;

TEST_F(GameSearchImportTest, ImportedGamesAreFoundAndLaterImportsSeenBySameSearch) {
    AddRow("PC1", 0);
    Serve("Lib/0.txt", ChineseList({"中国象棋", "欢乐斗地主"}));
    Serve("Lib/tj.txt", GameList("t", 1, 1));
    Start();
    EXPECT_EQ(Rows("RTKey"), 2);
    TGameSearch search(DatabaseFile());
    EXPECT_EQ(Names(search, "xq"), Found{"中国象棋"});
    EXPECT_EQ(Names(search, "doudizhu"), Found{"欢乐斗地主"});
    // The next start imports the next list on its own connection; the
    // search made before it sees the new games.
    Serve("Lib/1.txt", ChineseList({"象棋大师"}));
    Start();
    EXPECT_EQ(Names(search, "xq"), (Found{"象棋大师", "中国象棋"}));
    // Games of the second list are not the search's.
    EXPECT_TRUE(Names(search, "t0").empty());
}

TEST_F(GameSearchImportTest, DatabaseWithoutKeysGetsThemOnceAtTheNextStart) {
    AddRow("PC1", 101); // nothing left to download
    Sql("drop table RTKey");
    Sql("insert into RT(R_Name,R_Class,R_URL) values ('连连看','c','u'),('俄罗斯方块','c','u')");
    Serve("Lib/tj.txt", GameList("t", 1, 1));
    Start();
    EXPECT_EQ(Rows("RTKey"), 2);
    TGameSearch search(DatabaseFile());
    EXPECT_EQ(Names(search, "llk"), Found{"连连看"});
    // Rows added without keys by another program are mended too, and the
    // keys already there are not written again.
    Sql("insert into RT(R_Name,R_Class,R_URL) values ('五子棋','c','u')");
    Sql("update RTKey set R_Keys='kept' where R_Id=1");
    Start();
    EXPECT_EQ(Rows("RTKey"), 3);
    EXPECT_EQ(Names(search, "wzq"), Found{"五子棋"});
    EXPECT_TRUE(Names(search, "llk").empty());
}

TEST_F(GameSearchImportTest, PageAnswerIsJsonForAnyQuery) {
    AddRow("PC1", 0);
    Serve("Lib/0.txt", ChineseList({"台球 \"斯诺克\"", "100% 赛车"}));
    Serve("Lib/tj.txt", GameList("t", 1, 1));
    Start();
    TGameSearch search(DatabaseFile());
    EXPECT_EQ(search.AnswerJson("find=%E5%8F%B0%E7%90%83&limit=5"),
              "{\"find\":\"台球\",\"total\":1,\"games\":[{\"name\":\"台球 \\\"斯诺克\\\"\","
              "\"class\":\"棋牌\",\"url\":\"http://g/0\",\"match\":\"prefix\"}]}");
    // A literal % and a malformed escape are text; a bad byte becomes U+FFFD.
    EXPECT_NE(search.AnswerJson("find=%25").find("\"total\":1"), std::string::npos);
    EXPECT_EQ(search.AnswerJson("find=%zz"), "{\"find\":\"%zz\",\"total\":0,\"games\":[]}");
    EXPECT_EQ(search.AnswerJson("find=%FF"),
              "{\"find\":\"\xEF\xBF\xBD\",\"total\":0,\"games\":[]}");
    EXPECT_EQ(search.AnswerJson(""), "{\"find\":\"\",\"total\":0,\"games\":[]}");
    // A database that is not there answers an error, not an exception.
    TGameSearch missing((FProgram / "none.js").string());
    EXPECT_NE(missing.AnswerJson("find=x").find("\"error\":"), std::string::npos);
}

} // namespace
