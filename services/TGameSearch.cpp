#include "services/TGameSearch.h"

#include <cstdio>

#include "platform/TSqliteDatabase.h"
#include "platform/TSqliteStatement.h"
#include "platform/Text.h"
#include "services/CodePoints.h"
#include "services/TGameSearchTable.h"

TGameSearch::TGameSearch(std::string databaseFile) : FFile(std::move(databaseFile)) {}

TGameSearch::~TGameSearch() = default;

// data_version changes when another connection commits; reading the list
// again then is cheaper than asking what changed.
void TGameSearch::Refresh() {
    if (!FDb) {
        FDb = std::make_unique<platform::TSqliteDatabase>(FFile);
        TGameSearchTable::Create(*FDb);
    }
    platform::TSqliteStatement version(*FDb, "pragma data_version");
    int64_t now = version.Step() ? version.ColumnInt(0) : 0;
    if (FIndex && now == FVersion) return;
    auto index = std::make_unique<TGameSearchIndex>();
    TGameSearchTable::Load(*FDb, *index);
    FIndex = std::move(index);
    FVersion = now;
}

TGameSearchResult TGameSearch::Search(std::string_view query, size_t limit) {
    Refresh();
    return FIndex->Search(query, limit);
}

std::string TGameSearch::AnswerJson(std::string_view uriQuery) {
    std::string find = QueryValue(uriQuery, "find");
    size_t limit = PageLimit;
    if (auto asked = platform::ParseInt(QueryValue(uriQuery, "limit")); asked && *asked > 0)
        limit = std::min<size_t>(static_cast<size_t>(*asked), PageLimit);
    TGameSearchResult result;
    try {
        result = Search(find, limit);
    } catch (const std::exception& e) {
        return "{\"find\":" + JsonString(find) + ",\"error\":" + JsonString(e.what()) + "}";
    }
    std::string json = "{\"find\":" + JsonString(find) +
                       ",\"total\":" + std::to_string(result.Total) + ",\"games\":[";
    for (size_t i = 0; i < result.Hits.size(); ++i) {
        const TGameHit& hit = result.Hits[i];
        json += (i ? "," : "");
        json += "{\"name\":" + JsonString(hit.Game->Name) +
                ",\"class\":" + JsonString(hit.Game->Class) +
                ",\"url\":" + JsonString(hit.Game->URL) + ",\"match\":\"" +
                TGameSearchIndex::MatchName(hit.Match) + "\"}";
    }
    return json + "]}";
}

std::string TGameSearch::DecodeComponent(std::string_view text) {
    auto hex = [](char c) -> int {
        if (c >= '0' && c <= '9') return c - '0';
        if (c >= 'a' && c <= 'f') return c - 'a' + 10;
        if (c >= 'A' && c <= 'F') return c - 'A' + 10;
        return -1;
    };
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size() && hex(text[i + 1]) >= 0 &&
            hex(text[i + 2]) >= 0) {
            out += static_cast<char>(hex(text[i + 1]) * 16 + hex(text[i + 2]));
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}

std::string TGameSearch::QueryValue(std::string_view query, std::string_view name) {
    size_t start = 0;
    while (start <= query.size()) {
        size_t amp = query.find('&', start);
        if (amp == std::string_view::npos) amp = query.size();
        std::string_view item = query.substr(start, amp - start);
        if (item.size() > name.size() && item.substr(0, name.size()) == name &&
            item[name.size()] == '=')
            return DecodeComponent(item.substr(name.size() + 1));
        start = amp + 1;
    }
    return "";
}

// Malformed UTF-8 goes out as U+FFFD, so the page always gets valid JSON.
std::string TGameSearch::JsonString(std::string_view text) {
    std::string out = "\"";
    for (char32_t c : codepoints::Decode(text)) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c < 0x20 || c == 0x2028 || c == 0x2029) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
            out += escaped;
        } else {
            codepoints::Append(out, c);
        }
    }
    return out + "\"";
}
