#pragma once
// Where the pictures named in layouts come from: a picture-valued property
// (Glyph, Picture, image-list strips) holds the name of an embedded resource
// ("images/btnBack.bmp"), or "file:" followed by a file path.
#include <string>

class TBitmap;
class TPicture;

// Fills `picture` from `source`; an empty source clears it. A missing or
// unreadable picture raises an Exception whose message names the source;
// the picture is then left empty.
void LoadPictureFromSource(TPicture& picture, const std::string& source);
void LoadBitmapFromSource(TBitmap& bitmap, const std::string& source);
