#include "core/launchsites.h"

#include <cstring>

#include "foundation/textconv.h"

const std::array<LaunchSite, kLaunchSites>& LaunchSites()
{
    static const std::array<LaunchSite, kLaunchSites> table{{
        {"User", 0.0, 0.0},
        {"Kennedy Space Center", 28.6272, -80.6208},
        {"Baikonur", 45.92, 63.3423},
        {"Kourou", 5.237, -52.775},
        {"Vandenberg", 34.7523, -120.6155},
        {"Plesetsk", 62.855, 40.867},
        {"Svobodny", 51.35, 128.133},
        {"Tanegashima", 30.38, 130.97},
        {"Kagoshima", 31.23, 131.08},
        {"Sriharikota", 13.576, 80.293},
        {"Xichang", 28.25, 102.02},
        {"Tai-yuan", 37.8, 111.5},
        {"Jiuquan", 40.9581, 100.2912},
        {"Wallops Island", 37.85, -75.47},
        {"Israeli Launch Complex", 31.52, 34.45},
        {"Alcantara", -2.4, -44.4},
        {"Woomera", -31.12, 136.53},
        {"Sea Launch", 0.0, -154.0},
        {"Wallops Island", 37.84, -75.48},
        {"Barents Sea", 69.5, 34.2},
        {"Kwajalein", 8.99, 167.72},
    }};
    return table;
}

int FindLaunchSite(const char* key)
{
    const int n = key ? static_cast<int>(std::strlen(key)) : 0;
    if (n == 0) return -1;
    const auto& sites = LaunchSites();
    for (int k = 1; k < kLaunchSites; ++k)
        if (Strncmpi(key, sites[k].name, n) == 0) return k;
    return -1;
}
