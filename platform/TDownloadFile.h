#pragma once
// Where one download goes. The file is written under a ".part" name that
// was created exclusively, so two downloads of one name never share a
// file, and is renamed to its own name only once complete, never over a
// file that exists: "a.txt" taken means "a(1).txt", then "a(2).txt", ...
// A download that does not complete leaves nothing behind.
#include <string>

namespace platform {

class TDownloadFile {
public:
    // Reserves the first free numbered form of `name` (already a plain base
    // name) in `folder`: free when neither the name nor its ".part" exists.
    // Throws std::runtime_error with the reason when no file can be made.
    TDownloadFile(const std::string& folder, const std::string& name);
    // Removes the part file unless committed.
    ~TDownloadFile();
    TDownloadFile(const TDownloadFile&) = delete;
    TDownloadFile& operator=(const TDownloadFile&) = delete;

    const std::string& PartPath() const { return FPartPath; }
    // The name the finished file gets (or got), as far as known now.
    const std::string& FinalPath() const { return FFinalPath; }
    const std::string& FinalName() const { return FFinalName; }

    // Moves the part file to the first free numbered name, which may be a
    // later one than reserved when a file of that name appeared meanwhile.
    // Throws std::runtime_error when the part cannot be moved.
    void Commit();
    void Discard();
    bool Committed() const { return FCommitted; }

    // The user's download folder: the desktop's, else ~/Downloads; created
    // when missing.
    static std::string UserFolder();

private:
    std::string FFolder;
    std::string FName;
    int FNumber = 0;
    std::string FFinalName;
    std::string FFinalPath;
    std::string FPartPath;
    bool FCommitted = false;
    bool FDiscarded = false;
};

} // namespace platform
