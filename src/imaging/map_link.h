#pragma once
// Map addresses for a picture's GPS position.
#include <string>

// vendor 1: the first map service (plain HTTP); anything else: the second (HTTPS).
std::wstring BuildMapAddress(int vendor, const std::wstring& gpsPosition);
// Opens the map of the position in the browser; nothing for an empty position.
bool ShowOnMap(const std::wstring& gpsPosition);
