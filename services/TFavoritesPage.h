#pragma once
// The page the favourites pane shows: one link per internet shortcut of the
// favourites folder and its subfolders, written as "Fav.htm" into the
// folder the program writes into (the program folder of a build, the
// user's own folder of an installed copy). Titles and addresses come from files anybody can drop
// into that folder, so everything written into the page is escaped and a
// script address can never run inside the pane.
#include <memory>
#include <string>
#include <string_view>

class TStringList;

class TFavoritesPage {
public:
    // The name of the generated page inside the data folder.
    static constexpr const char* FileName = "Fav.htm";

    // $XINGFAN_FAVORITES, else $XDG_DATA_HOME/xingfan/Favorites (with
    // ~/.local/share standing in for an unset XDG_DATA_HOME). No trailing '/'.
    static std::string Folder();

    // The lines for `folder` (no trailing separator): a link line per
    // shortcut first, then per subfolder "<BR>", its name + "<BR>" and its own
    // lines, in the order the file system lists them. A folder that cannot
    // be read gives nothing; a folder reached again through a link while it
    // is still being walked is skipped, so link cycles end. The caller owns
    // the list.
    static std::unique_ptr<TStringList> GetIEFavourites(const std::string& folder);
    // The head lines, GetIEFavourites(folder) and the closing line.
    static std::unique_ptr<TStringList> Build(const std::string& folder);
    // Writes Build(folder) to dataPath + FileName and returns that path.
    // Raises EFOpenError naming the file when it cannot be written.
    static std::string Write(const std::string& dataPath, const std::string& folder);

    // <a href="ADDRESS">TITLE</a><BR>, both escaped.
    static std::string LinkLine(std::string_view address, std::string_view title);
    // Text safe in element content and in double- or single-quoted
    // attributes; line breaks become character references so a link stays
    // on its line.
    static std::string EscapeHtml(std::string_view text);
    // True when a browser would run `address` as script: scheme
    // "javascript:" in any letter case, after the leading spaces and control
    // characters and the tabs and line breaks a browser ignores.
    static bool IsScriptAddress(std::string_view address);
    // The address as it goes into href: a script address becomes a fragment
    // of the page itself, so following it leaves the pane where it is and
    // runs nothing; every other address stays usable as it is.
    static std::string HrefOf(std::string_view address);
    // The value "URL" of section "InternetShortcut", at most 2047
    // characters; empty when missing or when `path` is not a regular file
    // (a folder or a pipe named *.url is never opened).
    static std::string ReadShortcutURL(const std::string& path);
    // The file name decoded for display (UTF-8, else GB18030) without its
    // last four characters.
    static std::string TitleOf(std::string_view fileName);
};
