#pragma once
// The game search of the main window's database, shared by the search page
// (through the program's own scheme) and the search box's suggestions.
#include <string>
#include <vector>

class TGameSearch;

// Made on first use for the database file of the window's connection;
// raises an Exception when there is no main window.
TGameSearch& MainGameSearch();
// The scheme's answer for "xingfan://games?<query>" as JSON.
std::string AnswerGamesRequest(const std::string& query);
// The names of the best games for a text typed into the search box, at
// most `limit` (a name in several lists more than once); raises what the
// search raises.
std::vector<std::string> SuggestGameNames(const std::string& text, size_t limit);
