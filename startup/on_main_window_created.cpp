#include "startup/startup.h"

namespace wavoro {

void onMainWindowCreated(PlatformServices& /*platform*/) {}

} // namespace wavoro
