#pragma once
// The five text sizes of the zoom command as factors of the page's text.
namespace platform {

// Factor of a level TEXT_ZOOM_MIN_LEVEL..TEXT_ZOOM_MAX_LEVEL (2 is the
// normal size); levels outside are clamped.
double TextZoomFactor(int level);
// The level whose factor is nearest to `factor`.
int TextZoomLevel(double factor);
bool IsTextZoomLevel(int level);

} // namespace platform
