#pragma once
// A non-visual component that loads one skin file and answers the numbered
// theme items from it. Assigning ThemeFile searches for the file, checks it,
// loads it, and hands the theme again to the skinned components of its form
// that use it, so that they reload their pictures and values.
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>

#include "gui/TComponent.h"
#include "gui/Types.h"

class TBitmap;
class TPicture;
class TskFileThemeMgr;

// The folders searched, after the path itself, for a skin file's bare name.
// The platform's Windows and system folders have no counterpart here; their
// stand-ins are $XDG_DATA_HOME/xingfan (else ~/.local/share/xingfan) and
// /usr/share/xingfan. An empty entry is not searched.
struct TskThemeSearchFolders {
    std::string ExecutableDir;
    std::string WindowsDir;
    std::string SystemDir;
};

class TskFileTheme : public TComponent {
    XF_CLASS(TskFileTheme)
public:
    explicit TskFileTheme(TComponent* owner);
    ~TskFileTheme() override;

    // The full path of the loaded skin file; empty at first.
    const std::string& ThemeFile() const { return FThemeFile; }
    // Nothing happens for the current value or a file found nowhere. A file
    // found but not a skin file raises "Invalid skin file for StarSkin!" and
    // changes nothing.
    void SetThemeFile(const std::string& value);
    // True while the last ThemeFile assignment loaded a file.
    bool CanUse() const { return FCanUse; }
    static bool CheckThemeFile(const std::string& fileName);

    // Lookups in the loaded file. Pictures: an absent key, a stream that is
    // not a picture or no loaded file leave the picture as it was.
    void GetBitmap(int item, TBitmap* picture) const;
    void GetBitmap(int item, TPicture* picture) const;
    void GetBitmapPart(int item, TBitmap* picture, int index, int count) const;
    void GetBitmapPart(int item, TPicture* picture, int index, int count) const;
    // The stored value (-1 when the key is absent); 0 with no file loaded.
    TColor GetColor(int item) const;
    int GetInt(int item) const;
    // False when the key is absent or no file is loaded.
    bool GetBool(int item) const;

    TskFileThemeMgr& ThemeMgr() const { return *FThemeMgr; }

    // Where bare names are looked for; tests replace it.
    static TskThemeSearchFolders DefaultSearchFolders();
    static inline std::function<TskThemeSearchFolders()> SearchFolders = DefaultSearchFolders;

    // Loads a skin file already in memory as if it had been found and
    // checked (the theme file name is left alone).
    void LoadFromBytes(std::span<const uint8_t> bytes);

private:
    // The file the assignment means, or empty when it is found nowhere.
    static std::string ResolveThemeFile(const std::string& value);
    bool DecodePicture(int item, TBitmap& out) const;
    void ReassignToUsers();

    std::string FThemeFile;
    std::unique_ptr<TskFileThemeMgr> FThemeMgr;
    bool FCanUse = false;
};
