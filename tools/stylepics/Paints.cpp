#include "tools/stylepics/Paints.h"

#include <algorithm>
#include <cmath>

namespace stylepics {

TRgba Sample(const TRamp& ramp, float t) {
    if (ramp.empty()) return {};
    if (t <= ramp.front().first) return ramp.front().second;
    for (size_t i = 1; i < ramp.size(); ++i) {
        if (t <= ramp[i].first) {
            const float span = ramp[i].first - ramp[i - 1].first;
            const float local = span > 0 ? (t - ramp[i - 1].first) / span : 1;
            return Mix(ramp[i - 1].second, ramp[i].second, local);
        }
    }
    return ramp.back().second;
}

TPaint Solid(TRgba colour) {
    return [=](float, float) { return colour; };
}

namespace {

float Along(float v, float from, float to) {
    // Row and column centres sit at n + 0.5.
    const float span = to - from;
    return span != 0 ? (v - 0.5f - from) / span : 0;
}

} // namespace

TPaint Vertical(float from, float to, TRamp ramp) {
    return [=](float, float y) { return Sample(ramp, Along(y, from, to)); };
}

TPaint Horizontal(float from, float to, TRamp ramp) {
    return [=](float x, float) { return Sample(ramp, Along(x, from, to)); };
}

TPaint Radial(float cx, float cy, float radius, TRamp ramp) {
    return [=](float x, float y) {
        return Sample(ramp, std::sqrt((x - cx) * (x - cx) + (y - cy) * (y - cy)) / radius);
    };
}

TPaint Rows(std::vector<TRgba> rows) {
    return [rows = std::move(rows)](float, float y) {
        if (rows.empty()) return TRgba{};
        const int row =
            std::clamp(static_cast<int>(std::floor(y)), 0, static_cast<int>(rows.size()) - 1);
        return rows[row];
    };
}

} // namespace stylepics
