#pragma once
// Changes to the favourites folder made by the add-favourite and organise
// dialogs: shortcuts written as [InternetShortcut] files, folders created,
// entries renamed, moved and deleted. Every operation stays inside the
// root; names a user types are checked before they become paths.
// Failures raise Exception with a text fit for a message box.
#include <string>
#include <vector>

class TFavoritesFolder {
public:
    struct TEntry {
        std::string Name; // as shown: decoded, a shortcut without ".url"
        std::string Path; // absolute
        bool IsFolder = false;
        std::vector<TEntry> Children; // folders first, then shortcuts, by name
    };

    explicit TFavoritesFolder(std::string root);
    const std::string& Root() const { return FRoot; }

    // Everything under the root; link cycles are not followed.
    std::vector<TEntry> Tree() const;
    // The root ("") and every folder under it as paths relative to the
    // root ("News", "News/Daily"), parents before children.
    std::vector<std::string> Folders() const;
    // The absolute path of a folder given relative to the root.
    std::string FolderPath(const std::string& relative) const;

    // The file a shortcut named `name` in `folder` (relative) would have.
    std::string ShortcutPath(const std::string& folder, const std::string& name) const;
    // Writes the shortcut (the folder is created when missing), replacing a
    // file of that name; returns its path.
    std::string AddShortcut(const std::string& folder, const std::string& name,
                            const std::string& url) const;
    std::string CreateFolder(const std::string& parent, const std::string& name) const;
    // A shortcut keeps its ".url"; returns the new path.
    std::string Rename(const std::string& path, const std::string& newName) const;
    // Into `folder` (relative); a folder never into itself or below itself.
    std::string MoveTo(const std::string& path, const std::string& folder) const;
    // A folder goes with everything in it (a linked folder: only the link).
    void Delete(const std::string& path) const;

    // The name trimmed; raises Exception when it is empty, "." or "..", or
    // holds '/' or a control character.
    static std::string CheckName(const std::string& name);
    // A page title turned into a name CheckName accepts: '/' and control
    // characters become '_', spaces around it go; may be empty.
    static std::string CleanName(const std::string& title);
    // The file text of a shortcut to `url`. Line breaks and surrounding
    // spaces are dropped, as no address needs them. The profile rules leave
    // no way to keep one pair of matching outer quotes: such an address
    // reads back without them, whatever is written.
    static std::string ShortcutText(const std::string& url);

private:
    void CheckInside(const std::string& path) const;
    std::vector<TEntry> List(const std::string& folder, std::vector<std::string>& walking) const;

    std::string FRoot;
};
