// The handler of the left button going down on bannerPicture.
#pragma once

#include "platform/platform_services.h"

namespace wavoro {

// Opens the maker's web address, once; the pointer position and modifier keys are not used.
void onBannerPress(PlatformServices& platform, int x, int y, int modifierKeys);

} // namespace wavoro
