#include "gui/graphics/TPicture.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "gui/graphics/EInvalidGraphic.h"
#include "gui/graphics/TBmpReader.h"
#include "gui/graphics/TPngReader.h"

TPicture::TPicture() : FBitmap(std::make_unique<TBitmap>()) {}

TPicture::~TPicture() = default;

void TPicture::Decode(std::span<const uint8_t> data, TBitmap& out) {
    if (TBmpReader::Sniff(data))
        TBmpReader::Decode(data, out);
    else if (TPngReader::Sniff(data))
        TPngReader::Decode(data, out);
    else
        throw EInvalidGraphic("Unknown picture format");
}

std::vector<uint8_t> TPicture::ReadFile(const std::string& fileName) {
    auto fail = [&](const std::string& why) -> EFOpenError {
        return EFOpenError("Cannot open file \"" + fileName + "\": " + why);
    };
    std::error_code ec;
    const uintmax_t size = std::filesystem::file_size(fileName, ec);
    if (ec) throw fail(ec.message());
    if (size > MaxFileSize) throw fail("file too large");
    std::ifstream in(fileName, std::ios::binary);
    if (!in) throw fail(std::strerror(errno));
    std::vector<uint8_t> bytes(static_cast<size_t>(size));
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (in.gcount() != static_cast<std::streamsize>(bytes.size())) throw fail("read error");
    return bytes;
}

void TPicture::LoadFromFile(const std::string& fileName) {
    try {
        FBitmap->LoadFromFile(fileName);
    } catch (...) {
        Changed();
        throw;
    }
    Changed();
}

void TPicture::LoadFromStream(std::span<const uint8_t> data) {
    try {
        FBitmap->LoadFromStream(data);
    } catch (...) {
        Changed();
        throw;
    }
    Changed();
}

void TPicture::Assign(const TPicture& source) {
    if (&source == this) return;
    FBitmap->Assign(*source.FBitmap);
    Changed();
}

void TPicture::Assign(const TBitmap& source) {
    FBitmap->Assign(source);
    Changed();
}

void TPicture::Clear() {
    FBitmap->SetSize(0, 0);
    Changed();
}

void TPicture::Changed() {
    if (OnChange) OnChange();
}
