// The life of the process: programMain and the created handler of MainWindow.
#pragma once

namespace wavoro {

class PlatformServices;

// Runs start-up, the message loop and the clean-up; returns 0 when the loop has ended.
int programMain();

// The created event of MainWindow: writes the payloads, then attaches the skin.
void onMainWindowCreated(PlatformServices& platform);

} // namespace wavoro
