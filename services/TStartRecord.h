#pragma once
// The start record of this computer and the list downloads that follow it:
// the first start on a computer creates its row and stops; every later start
// imports the numbered game lists it has not imported yet, refreshes the
// second list and counts the start.
//
// Each game-list file is imported in one transaction together with the step
// of R_count it earns, so a crash or an error in the middle leaves either
// the whole file with its count or neither, and no file is imported twice,
// not even by two instances of the program sharing the database.
//
// Parsing and importing run off the GUI thread (TListFileImport on a
// connection of its own) while the window keeps handling messages. Quitting
// the program ends a transfer at once and rolls back an import under way.
#include <functional>
#include <optional>
#include <string>

#include "gui/TComponent.h"

class TDbQuery;
class THttpClient;
class TListFileImport;

class TStartRecord {
public:
    static constexpr int LastGameList = 100;

    enum class TOutcome {
        NoComputerName,   // nothing ran
        FirstStart,       // the row was created, nothing else
        SecondListFailed, // lists imported as far as possible; the start is not counted
        Counted,          // the start was counted
    };

    // `dataDir`, where the lists are saved, ends with '/'; `baseURL` is
    // scheme and host of the server.
    TStartRecord(TDbQuery& query, THttpClient& http, std::string dataDir, std::string baseURL);

    TOutcome Run(const std::optional<std::string>& computerName);
    // Imports files from..100, ending at the first failed download; returns
    // how many files this run imported. A file another process imported
    // meanwhile is skipped, and the count goes on from where it left R_count.
    int ImportGameLists(int from);
    // False when the second list could not be downloaded.
    bool RefreshSecondList();

    static std::string GameListURL(const std::string& baseURL, int number);
    // The local date and time as the start record keeps it.
    static std::string NowText();

private:
    // False when the request failed; an ended request (its client gone)
    // throws, so nothing runs on components that no longer exist.
    bool Download(const std::string& url, std::string& body);
    std::string SaveLocalCopy(const std::string& name, const std::string& body);
    // Runs database work on a worker thread while the window handles
    // messages; throws EStartRecordAborted when the program quits meanwhile.
    void OffThread(const std::function<void(TListFileImport& db)>& work);
    bool StillWanted() const;
    TDbQuery& Query();

    TSafeRef<TDbQuery> FQuery;
    TSafeRef<THttpClient> FHttp;
    std::string FDataDir;
    std::string FBaseURL;
    std::string FName;
};

// The sequence was cut short because the window that ran it went away.
class EStartRecordAborted : public Exception {
public:
    using Exception::Exception;
};
