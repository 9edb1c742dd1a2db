#include "gamelist/ListFit.h"

#include <algorithm>

ListFit FitListToEntries(const ListFitInput& in) {
    ListFit fit{false, in.listHeight, in.outerHeight, in.launchTop};
    const float belowLaunch = in.outerHeight - in.launchTop;
    const float needed = static_cast<float>(in.entries) * in.lineHeight;
    if (!(needed > in.listHeight))
        return fit;
    const float wantedOuter = in.listTop + needed * 1.05f + belowLaunch;
    // A window that is already taller than the screen allows keeps its height.
    const float limit = std::max(in.maxOuterHeight, in.outerHeight);
    fit.grows = true;
    fit.outerHeight = std::min(wantedOuter, limit);
    fit.listHeight = std::max(in.listHeight, fit.outerHeight - belowLaunch - in.listTop);
    fit.launchTop = fit.outerHeight - belowLaunch;
    return fit;
}
