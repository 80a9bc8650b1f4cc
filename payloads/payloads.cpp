#include "payloads/payloads.h"

#include "payloads/carried_files.h"
#include "payloads/icon_file.h"

#include <windows.h>

#include <vector>

namespace wavoro::payloads {

// In the order in which the program stores them.
const EmbeddedBlob skinEngineBlob{carriedSkinEngine};
const char skinEnginePath[] = "C:\\Windows\\jedata.dll";
const EmbeddedBlob skinFileBlob{carriedSkinFile};
const char skinFilePath[] = "C:\\Windows\\win8.she";
const char emptyText[] = "";

const char skinLibraryName[] = "jedata.dll";
const char skinFunctionName[] = "SkinH_AttachEx";

namespace {

const char iconGroupName[] = "DEFAULT_ICON";

std::span<const unsigned char> resourceBytes(HRSRC resource) {
    if (resource == nullptr) {
        return {};
    }
    HGLOBAL loaded = LoadResource(nullptr, resource);
    const void* bytes = loaded != nullptr ? LockResource(loaded) : nullptr;
    if (bytes == nullptr) {
        return {};
    }
    return {static_cast<const unsigned char*>(bytes), SizeofResource(nullptr, resource)};
}

// The icon file whose images make up the program's icon group, rebuilt from the resources:
// the window's icon and the program file's icon are the same twelve images, carried once.
std::vector<unsigned char> iconFileFromResources() {
    const auto group = resourceBytes(FindResourceA(nullptr, iconGroupName, RT_GROUP_ICON));
    return iconFileFromGroup(group, [](std::uint16_t id) {
        return resourceBytes(FindResourceA(nullptr, MAKEINTRESOURCEA(id), RT_ICON));
    });
}

} // namespace

std::span<const unsigned char> bannerPicture() {
    return {carriedBannerPicture, carriedBannerPictureEnd};
}

std::span<const unsigned char> windowIcon() {
    static const std::vector<unsigned char> icon = iconFileFromResources();
    return icon;
}

} // namespace wavoro::payloads
