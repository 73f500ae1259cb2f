#pragma once
// The game search the search page and the search box ask: the games of the
// local database's list, read once into a TGameSearchIndex and read again
// whenever an import (on another connection) has committed since.
#include <memory>
#include <string>
#include <string_view>

#include "services/TGameSearchIndex.h"

namespace platform {
class TSqliteDatabase;
}

class TGameSearch {
public:
    static constexpr size_t PageLimit = 200;
    static constexpr size_t SuggestionLimit = 10;

    explicit TGameSearch(std::string databaseFile);
    ~TGameSearch();

    // Raises platform::DatabaseError when the database cannot be read.
    TGameSearchResult Search(std::string_view query, size_t limit);
    // The answer to "games?find=<text>&limit=<n>" (the text percent-encoded)
    // as JSON: {"find":…,"total":…,"games":[{"name","class","url","match"}]}.
    // A database that cannot be read answers {"error":…} instead.
    std::string AnswerJson(std::string_view uriQuery);

    // Percent escapes decoded; a malformed one is kept as written.
    static std::string DecodeComponent(std::string_view text);
    // `name`'s value in "a=1&b=2", decoded; empty when absent.
    static std::string QueryValue(std::string_view query, std::string_view name);
    static std::string JsonString(std::string_view text);

private:
    void Refresh();

    std::string FFile;
    std::unique_ptr<platform::TSqliteDatabase> FDb;
    std::unique_ptr<TGameSearchIndex> FIndex;
    int64_t FVersion = -1;
};
