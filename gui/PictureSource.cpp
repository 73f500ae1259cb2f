#include "gui/PictureSource.h"

#include "gui/Exception.h"
#include "gui/graphics/TPicture.h"
#include "platform/Resources.h"
#include "platform/Text.h"

namespace {

constexpr std::string_view FilePrefix = "file:";

void Load(TPicture& picture, const std::string& source) {
    if (platform::StartsWithText(source, FilePrefix)) {
        picture.LoadFromFile(source.substr(FilePrefix.size()));
        return;
    }
    auto data = platform::FindResource(source);
    if (!data) throw EFOpenError("Picture resource '" + source + "' not found");
    picture.LoadFromStream(std::span<const uint8_t>(data->data(), data->size()));
}

} // namespace

void LoadPictureFromSource(TPicture& picture, const std::string& source) {
    if (source.empty()) {
        picture.Clear();
        return;
    }
    try {
        Load(picture, source);
    } catch (const EFOpenError& e) {
        picture.Clear();
        std::string text = e.what();
        if (text.find(source) == std::string::npos) text = "Picture '" + source + "': " + text;
        throw EFOpenError(text);
    } catch (const std::exception& e) {
        picture.Clear();
        throw Exception("Picture '" + source + "': " + e.what());
    }
}

void LoadBitmapFromSource(TBitmap& bitmap, const std::string& source) {
    TPicture picture;
    LoadPictureFromSource(picture, source);
    bitmap.Assign(picture.Bitmap());
}
