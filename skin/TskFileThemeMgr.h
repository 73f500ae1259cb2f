#pragma once
// The holder behind a file theme: owns at most one skin file reader and
// answers the numbered theme items by their skin-file keys.
#include <cstdint>
#include <memory>
#include <span>
#include <string>

#include "skin/TskThemeFileReader.h"

class TskFileThemeMgr {
public:
    TskFileThemeMgr();
    ~TskFileThemeMgr();
    TskFileThemeMgr(const TskFileThemeMgr&) = delete;
    TskFileThemeMgr& operator=(const TskFileThemeMgr&) = delete;

    // False, with the reader left alone, when the file does not exist;
    // otherwise the file's reader replaces the current one. A file that
    // exists but cannot be read raises EFOpenError and keeps the current
    // reader.
    bool LoadThemeFile(const std::string& fileName);
    // A skin file already in memory replaces the current reader.
    void LoadFromBytes(std::span<const uint8_t> bytes);

    const TskThemeFileReader* Reader() const { return FReader.get(); }

    // The item's picture stream (rewound), nullptr when there is none.
    TMemoryStream* GetStream(int item) const;
    // -1 when the key is absent; 0 without a reader.
    int32_t GetInteger(int item) const;
    // False when the key is absent or without a reader.
    bool GetBool(int item) const;

private:
    std::unique_ptr<TskThemeFileReader> FReader;
};
