// The files the program carries in its read-only data, assembled by carried_files.cpp. The
// two skin files are byte-array constants (a dimension count of 1, the length, the bytes);
// the banner picture is plain bytes between a start and an end label. (The icon is carried
// once, in the resources.)
#pragma once

extern "C" {
extern const unsigned char carriedSkinEngine[] __asm__("wavoro_carried_skin_engine");
extern const unsigned char carriedSkinFile[] __asm__("wavoro_carried_skin_file");
extern const unsigned char carriedBannerPicture[] __asm__("wavoro_carried_banner");
extern const unsigned char carriedBannerPictureEnd[] __asm__("wavoro_carried_banner_end");
}
