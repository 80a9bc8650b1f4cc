// The created handler of MainWindow against a recording platform: the skin engine is written
// first, then the skin file it is about to read, each from its own byte array to its fixed
// path, and only then is the skin attached with the skin file's path and the empty text.
#include "payloads/payloads.h"
#include "platform/platform_services.h"
#include "startup/startup.h"

#include "tests/support/win_check.h"

#include <string>
#include <vector>

namespace {

using wavoro::ElementId;
using wavoro::EmbeddedBlob;
using wavoro::PropertyNumber;
using wavoro::PropertyValue;

class StartupRecorder final : public wavoro::PlatformServices {
public:
    std::vector<std::string> calls;

    bool runCommandLine(std::string_view, bool) override { return record("runCommandLine"); }
    int showMessage(std::string_view) override {
        record("showMessage");
        return 0;
    }
    bool writeBytesToFile(std::string_view path, std::span<const EmbeddedBlob> arrays) override {
        std::string call = "write " + std::string(path);
        for (const EmbeddedBlob& blob : arrays) {
            call += blob.raw == wavoro::payloads::skinEngineBlob.raw ? " skinEngineBlob"
                    : blob.raw == wavoro::payloads::skinFileBlob.raw ? " skinFileBlob"
                                                                     : " other";
        }
        calls.push_back(call);
        return false; // a failed write changes nothing that follows
    }
    void refreshWindow(ElementId) override { record("refreshWindow"); }
    void openWebAddress(std::string_view) override { record("openWebAddress"); }
    PropertyValue getControlProperty(ElementId, ElementId, PropertyNumber) override {
        record("getControlProperty");
        return {};
    }
    void setControlProperty(ElementId, ElementId, PropertyNumber, const PropertyValue&) override {
        record("setControlProperty");
    }
    void attachSkin(std::string_view skinFilePath, std::string_view second) override {
        calls.push_back("attach " + std::string(skinFilePath) + " [" + std::string(second) + "]");
    }
    [[noreturn]] void reportRuntimeError(int, std::string_view) override {
        record("reportRuntimeError");
        throw 0;
    }

private:
    bool record(const char* name) {
        calls.emplace_back(name);
        return false;
    }
};

TEST(CreatedHandler, WritesLibraryThenSkinFileThenAttaches) {
    StartupRecorder platform;
    wavoro::onMainWindowCreated(platform);
    const std::vector<std::string> expected = {
        "write C:\\Windows\\jedata.dll skinEngineBlob",
        "write C:\\Windows\\win8.she skinFileBlob",
        "attach C:\\Windows\\win8.she []",
    };
    EXPECT_EQ(platform.calls.size(), expected.size());
    for (std::size_t i = 0; i < expected.size() && i < platform.calls.size(); ++i) {
        EXPECT_EQ(platform.calls[i], expected[i]);
    }
}

} // namespace

int main(int argc, char** argv) {
    return wavoro::check::runAll(argc, argv);
}
