#include "app/TGameSearchService.h"

#include <memory>

#include "app/TFrmMain.h"
#include "services/TDbConnection.h"
#include "services/TGameSearch.h"

namespace {

std::unique_ptr<TGameSearch>& Instance() {
    static std::unique_ptr<TGameSearch> search;
    return search;
}

// The file the window's connection opens, without opening it here.
std::string DatabaseFile() {
    if (!FrmMain) throw Exception("主窗口不存在");
    TDbConnection probe(nullptr);
    probe.SetConnectionString(FrmMain->adoqSys->ConnectionString());
    probe.SetBaseDir(DataPath);
    return probe.DataSourcePath();
}

} // namespace

TGameSearch& MainGameSearch() {
    if (!Instance()) Instance() = std::make_unique<TGameSearch>(DatabaseFile());
    return *Instance();
}

std::string AnswerGamesRequest(const std::string& query) {
    return MainGameSearch().AnswerJson(query);
}

std::vector<std::string> SuggestGameNames(const std::string& text, size_t limit) {
    std::vector<std::string> names;
    for (const TGameHit& hit : MainGameSearch().Search(text, limit).Hits) names.push_back(hit.Game->Name);
    return names;
}
