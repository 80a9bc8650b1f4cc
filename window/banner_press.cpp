#include "window/banner_press.h"

#include "window/form_values.h"

namespace wavoro {

void onBannerPress(PlatformServices& platform, int /*x*/, int /*y*/, int /*modifierKeys*/) {
    platform.openWebAddress(form::makerWebAddress);
}

} // namespace wavoro
