#include "window/jpeg_picture.h"

#include <csetjmp>
#include <cstddef>
#include <cstdio>
#include <limits>
#include <new>

#include <jpeglib.h>

namespace wavoro {

namespace {

// libjpeg's default error handler prints and ends the process; ours jumps back into the
// decoder, which then gives up on the picture. Warnings are not printed.
struct ErrorManager {
    jpeg_error_mgr fields{};
    std::jmp_buf jump{};
};

[[noreturn]] void onFatalError(j_common_ptr info) {
    auto* errors = reinterpret_cast<ErrorManager*>(info->err);
    std::longjmp(errors->jump, 1);
}

void silentOutput(j_common_ptr /*info*/) {}

struct Decoder {
    jpeg_decompress_struct info{};
    ErrorManager errors{};

    Decoder() {
        info.err = jpeg_std_error(&errors.fields);
        errors.fields.error_exit = onFatalError;
        errors.fields.output_message = silentOutput;
    }
    ~Decoder() { jpeg_destroy_decompress(&info); }
    Decoder(const Decoder&) = delete;
    Decoder& operator=(const Decoder&) = delete;
};

// The two steps that call into libjpeg hold no object with a destructor, so a jump out of
// libjpeg skips nothing.
bool startDecoding(Decoder& decoder, const unsigned char* bytes, unsigned long size) {
    if (setjmp(decoder.errors.jump) != 0) {
        return false;
    }
    jpeg_create_decompress(&decoder.info);
    jpeg_mem_src(&decoder.info, bytes, size);
    if (jpeg_read_header(&decoder.info, TRUE) != JPEG_HEADER_OK) {
        return false;
    }
    decoder.info.out_color_space = JCS_EXT_BGRX;
    return jpeg_start_decompress(&decoder.info) != 0;
}

bool readRows(Decoder& decoder, std::uint8_t* pixels, std::size_t stride) {
    if (setjmp(decoder.errors.jump) != 0) {
        return false;
    }
    while (decoder.info.output_scanline < decoder.info.output_height) {
        JSAMPROW row = pixels + decoder.info.output_scanline * stride;
        if (jpeg_read_scanlines(&decoder.info, &row, 1) != 1) {
            return false;
        }
    }
    jpeg_finish_decompress(&decoder.info);
    return true;
}

} // namespace

std::optional<DecodedPicture> decodeJpeg(std::span<const unsigned char> bytes) {
    if (bytes.size() < 2 || bytes[0] != 0xFF || bytes[1] != 0xD8 ||
        bytes.size() > std::numeric_limits<unsigned long>::max()) {
        return std::nullopt;
    }
    Decoder decoder;
    if (!startDecoding(decoder, bytes.data(), static_cast<unsigned long>(bytes.size()))) {
        return std::nullopt;
    }
    constexpr JDIMENSION limit = 1 << 14; // far beyond any banner; keeps the sizes in int
    if (decoder.info.output_components != 4 || decoder.info.output_width > limit ||
        decoder.info.output_height > limit) {
        return std::nullopt;
    }
    DecodedPicture picture;
    picture.width = static_cast<int>(decoder.info.output_width);
    picture.height = static_cast<int>(decoder.info.output_height);
    const std::size_t stride = std::size_t{decoder.info.output_width} * 4;
    try {
        picture.pixels.resize(stride * decoder.info.output_height);
    } catch (const std::bad_alloc&) {
        return std::nullopt; // a picture that does not fit in memory is no picture
    }
    if (!readRows(decoder, picture.pixels.data(), stride)) {
        return std::nullopt;
    }
    return picture;
}

} // namespace wavoro
