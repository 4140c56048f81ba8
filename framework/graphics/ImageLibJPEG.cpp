// JPEG reader and writer through libjpeg (6b interface). libjpeg reports errors through the
// error manager's exit routine, which long-jumps back here; as with PNG, the functions holding
// the jump target own nothing with a destructor.

#include "framework/graphics/ImageLib.h"

#include "platform/FileSystem.h"

#include <csetjmp>
#include <cstdio>
#include <vector>

#include <jpeglib.h>

namespace Vuro::ImageLib {

[[noreturn]] void JpegErrorExit(j_common_ptr info);

namespace {

// libjpeg's allocations for one picture (a progressive file keeps all its coefficients); a
// larger need is an error instead of an allocation the size the header asks for.
constexpr long kJpegMemoryLimit = 256L * 1024 * 1024;

struct JpegErrorManager {
    jpeg_error_mgr base; // first, so libjpeg's pointer to it is also a pointer to this
    jmp_buf jump;
};

void JpegSilentMessage(j_common_ptr) {}

// Every warning is an error: libjpeg warns when the data ends early or is corrupt, and would
// then go on to make up the rest of the declared picture (a few hundred bytes that declare
// 10497 x 6670 pixels would cost seconds and hundreds of megabytes). Trace messages (levels 0
// and up) are ignored.
void JpegWarningIsError(j_common_ptr info, int level) {
    if (level < 0) {
        JpegErrorExit(info);
    }
}

void SetUpErrors(JpegErrorManager& errors) {
    jpeg_std_error(&errors.base);
    errors.base.error_exit = JpegErrorExit;
    errors.base.output_message = JpegSilentMessage;
    errors.base.emit_message = JpegWarningIsError;
}

bool DecodeJPEG(jpeg_decompress_struct* info, JpegErrorManager* errors, FILE* file,
                std::unique_ptr<Image>& result) {
    if (setjmp(errors->jump)) {
        return false;
    }
    jpeg_create_decompress(info);
    info->mem->max_memory_to_use = kJpegMemoryLimit;
    jpeg_stdio_src(info, file);
    if (jpeg_read_header(info, TRUE) != JPEG_HEADER_OK) {
        return false;
    }
    if (info->jpeg_color_space == JCS_CMYK || info->jpeg_color_space == JCS_YCCK) {
        return false;
    }
    if (info->image_width > kMaxDimension || info->image_height > kMaxDimension) {
        return false;
    }
    // Greyscale files are expanded to three equal samples by the library.
    info->out_color_space = JCS_RGB;
    jpeg_start_decompress(info);
    if (info->output_components != 3) {
        return false;
    }
    JSAMPARRAY row = (*info->mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(info), JPOOL_IMAGE,
                                                info->output_width * 3, 1);
    const size_t width = info->output_width;
    while (info->output_scanline < info->output_height) {
        if (jpeg_read_scanlines(info, row, 1) != 1) {
            return false;
        }
        // The picture is made once its first row has decoded, so a header over data that is
        // missing or junk is refused before its declared size is allocated.
        if (!result) {
            result = std::make_unique<Image>(static_cast<int>(info->output_width),
                                             static_cast<int>(info->output_height));
        }
        uint32_t* out =
            result->mBits.get() + static_cast<size_t>(info->output_scanline - 1) * width;
        const JSAMPLE* in = row[0];
        for (size_t x = 0; x < width; ++x, in += 3) {
            out[x] = 0xFF000000u | static_cast<uint32_t>(in[0]) << 16 |
                     static_cast<uint32_t>(in[1]) << 8 | in[2];
        }
    }
    jpeg_finish_decompress(info);
    return true;
}

bool EncodeJPEG(jpeg_compress_struct* info, JpegErrorManager* errors, FILE* file,
                const Image& image, JSAMPLE* scratch) {
    if (setjmp(errors->jump)) {
        return false;
    }
    jpeg_create_compress(info);
    jpeg_stdio_dest(info, file);
    info->image_width = static_cast<JDIMENSION>(image.mWidth);
    info->image_height = static_cast<JDIMENSION>(image.mHeight);
    info->input_components = 3;
    info->in_color_space = JCS_RGB;
    jpeg_set_defaults(info);
    jpeg_set_quality(info, 80, TRUE);
    jpeg_start_compress(info, TRUE);
    const size_t width = static_cast<size_t>(image.mWidth);
    while (info->next_scanline < info->image_height) {
        const uint32_t* in = image.mBits.get() + static_cast<size_t>(info->next_scanline) * width;
        for (size_t x = 0; x < width; ++x) {
            scratch[x * 3] = static_cast<JSAMPLE>(in[x] >> 16);
            scratch[x * 3 + 1] = static_cast<JSAMPLE>(in[x] >> 8);
            scratch[x * 3 + 2] = static_cast<JSAMPLE>(in[x]);
        }
        JSAMPROW row = scratch;
        jpeg_write_scanlines(info, &row, 1);
    }
    jpeg_finish_compress(info);
    return true;
}

} // namespace

// libjpeg's error exit: back to the reader or writer that set the jump, which then fails.
[[noreturn]] void JpegErrorExit(j_common_ptr info) {
    longjmp(reinterpret_cast<JpegErrorManager*>(info->err)->jump, 1);
}

std::unique_ptr<Image> ReadJPEGImage(FILE* file) {
    jpeg_decompress_struct info{};
    JpegErrorManager errors{};
    SetUpErrors(errors);
    info.err = &errors.base;
    std::unique_ptr<Image> image;
    bool ok = DecodeJPEG(&info, &errors, file, image);
    jpeg_destroy_decompress(&info);
    if (!ok) {
        return nullptr;
    }
    return image;
}

bool WriteJPEGImage(const std::string& path, const Image& image) {
    FILE* file = Platform::OpenFile(path, "wb");
    if (file == nullptr) {
        return false;
    }
    jpeg_compress_struct info{};
    JpegErrorManager errors{};
    SetUpErrors(errors);
    info.err = &errors.base;
    std::vector<JSAMPLE> scratch(static_cast<size_t>(image.mWidth) * 3);
    bool ok = EncodeJPEG(&info, &errors, file, image, scratch.data());
    jpeg_destroy_compress(&info);
    std::fclose(file);
    return ok;
}

} // namespace Vuro::ImageLib
