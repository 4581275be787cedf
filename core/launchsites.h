// The launch sites offered for a launch orbit: name, geodetic latitude and east longitude.
#pragma once

#include <array>

// One launch site; latitude and longitude in degrees, southern and western values negative.
struct LaunchSite {
    const char* name;
    double lat, lon;
};

// Number of entries of the table; entry 0 ("User") stands for coordinates typed in by the user.
constexpr int kLaunchSites = 21;

// The launch site table in its fixed order (the index is what the settings keep in lsite).
const std::array<LaunchSite, kLaunchSites>& LaunchSites();

// Index (1 .. kLaunchSites-1) of the first site whose name begins with key, ignoring case;
// -1 when none does or key is empty. "User" is not a site and is never found.
int FindLaunchSite(const char* key);
