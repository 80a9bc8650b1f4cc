// The process: the runtime is initialised, MainWindow is loaded (built hidden, the created
// event handled, then shown), the message loop runs until the last window is gone, and the
// end-of-program clean-up releases what the run took.
#include "startup/startup.h"

#include "hotspot/hotspot_controller.h"
#include "payloads/payloads.h"
#include "platform/windows_platform.h"
#include "window/banner_press.h"
#include "window/form_hotspot_view.h"
#include "window/form_values.h"
#include "window/main_window.h"
#include "window/window_runtime.h"

#include <windows.h>

namespace wavoro {

namespace {

// The program's handlers behind the event bindings of the form.
class ProgramEvents final : public FormEventSink {
public:
    ProgramEvents(PlatformServices& platform, HotspotController& controller)
        : platform_(platform), controller_(controller) {}

    void onFormEvent(form::Handler handler, const FormEventArgs& args) override {
        switch (handler) {
        case form::Handler::mainWindowCreated:
            onMainWindowCreated(platform_);
            break;
        case form::Handler::createButtonClick:
            controller_.onCreateButtonClick();
            break;
        case form::Handler::wifiButtonClick:
            controller_.onWifiButtonClick();
            break;
        case form::Handler::bannerPress:
            onBannerPress(platform_, args.x, args.y, args.modifierKeys);
            break;
        }
    }

private:
    PlatformServices& platform_;
    HotspotController& controller_;
};

constexpr char startWindowFailed[] = "载入启动窗口失败";

} // namespace

int programMain() {
    WindowsPlatform platform;
    platform.initialiseRuntime();

    FormHotspotView view(platform);
    HotspotController controller(view, platform);
    ProgramEvents events(platform, controller);
    const form::FormResources resources{payloads::bannerPicture(), payloads::windowIcon()};
    MainWindow window(form::mainWindowForm, resources, events);
    platform.setControlHost(&window);

    if (!window.load()) {
        platform.reportRuntimeError(0, startWindowFailed);
    }
    int quitValue = 0;
    if (runtime::anyTopLevelWindow()) {
        quitValue = runtime::runMessageLoop();
    }
    platform.endOfProgramCleanUp();
    return quitValue;
}

} // namespace wavoro

int WINAPI WinMain(HINSTANCE /*instance*/, HINSTANCE /*previous*/, LPSTR /*commandLine*/,
                   int /*show*/) {
    return wavoro::programMain();
}
