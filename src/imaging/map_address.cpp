#include "map_link.h"

std::wstring BuildMapAddress(int vendor, const std::wstring& gpsPosition) {
    if (vendor == 1) {
        return L"http://api.map.baidu.com/marker?location=" + gpsPosition +
               L"&title=Here&content=拍摄地&output=html&coord_type=wgs84&src=SnapFrame";
    }
    return L"https://apis.map.qq.com/uri/v1/marker?marker=coord:" + gpsPosition +
           L";title:Here&coord_type=1&referer=SnapFrame";
}
