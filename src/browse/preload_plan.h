#pragma once
// Which neighbours of the picture on screen the preload cache warms up. No platform headers.
#include <deque>
#include <functional>
#include <set>
#include <string>
#include <vector>

enum PreloadDirection { kDirectionNone = 0, kDirectionForward = 1, kDirectionBackward = 2 };

// Offsets from the current index, tried in this order; an unknown direction counts as none.
const std::vector<int>& NeighbourOffsets(int direction);

// Indices into names to warm up, in order: inside the list, warmable by type and not yet
// requested in this folder visit.
std::vector<int> PlanWarmUps(int direction, int currentIndex, const std::deque<std::wstring>& names,
                             const std::set<std::wstring>& requested,
                             const std::function<bool(const std::wstring&)>& isWarmable);

// The picture types the shell's thumbnail cache is asked about: bmp, jpeg, gif, tiff, png.
inline bool IsThumbnailCacheType(int imageType) { return imageType >= 1 && imageType <= 5; }
