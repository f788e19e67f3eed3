// Clipping of the player's device-space shapes to the area around the picture, so that a
// metafile's far-away or enormous coordinates never reach the rasteriser.
#pragma once

#include <vector>

namespace lv::gdi {

struct DevicePoint {
    double x, y;
};

struct DeviceBox {
    double left, top, right, bottom;
    bool contains(const DevicePoint& p) const {
        return p.x >= left && p.x <= right && p.y >= top && p.y <= bottom;
    }
};

// The part of a closed polygon inside the box (Sutherland-Hodgman). Inside the box the covered
// pixels are those of the whole polygon, under either fill mode.
std::vector<DevicePoint> clip_polygon(const std::vector<DevicePoint>& polygon,
                                      const DeviceBox& box);

// The parts of an open polyline inside the box, each a run of at least two points.
std::vector<std::vector<DevicePoint>> clip_polyline(const std::vector<DevicePoint>& line,
                                                    const DeviceBox& box);

} // namespace lv::gdi
