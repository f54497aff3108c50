#include "kalendo/jpeg_decoder.h"

#include <csetjmp>
#include <cstdio>  // jpeglib.h needs FILE and size_t declared first
#include <new>

#include <jpeglib.h>

#include "vorplan/common/user_file.h"

namespace kalendo {

namespace {

// A progressive file can hold any number of scans, each one a pass over the
// whole picture; real pictures have a dozen at most.
constexpr int kMaxScans = 500;

static_assert(sizeof(unsigned long) >= sizeof(std::size_t), "jpeg_mem_src takes every size");

// libjpeg reports errors by calling error_exit, whose default ends the
// process. Ours jumps back into DecodeInto instead.
struct ErrorManager {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
};

// Everything that must survive a longjmp lives in the caller's frame and is
// reached through a pointer; the frame with setjmp holds no C++ object with
// a destructor.
struct DecodeState {
    jpeg_decompress_struct cinfo;
    ErrorManager err;
    jpeg_progress_mgr progress;
    std::vector<std::uint8_t>* out;
    int width;
    int height;
    bool complete;  // every scanline was read; a late error keeps the picture
};

[[noreturn]] void ErrorExit(j_common_ptr cinfo)
{
    auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
    std::longjmp(err->jump, 1);
}

void OutputMessage(j_common_ptr)
{
    // Warnings and errors stay silent: a broken picture is simply not shown.
}

void ProgressMonitor(j_common_ptr cinfo)
{
    auto* dinfo = reinterpret_cast<j_decompress_ptr>(cinfo);
    if (dinfo->input_scan_number > kMaxScans)
        ErrorExit(cinfo);
}

std::uint8_t* Allocate(std::vector<std::uint8_t>& out, std::size_t bytes) noexcept
{
    try {
        out.assign(bytes, 0);
        return out.data();
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

std::uint8_t Mul255(unsigned a, unsigned b)
{
    return static_cast<std::uint8_t>((a * b + 127) / 255);
}

// Returns true when pixels were produced. Cleans up libjpeg on every path.
bool DecodeInto(DecodeState* s, const unsigned char* data, unsigned long size)
{
    j_decompress_ptr cinfo = &s->cinfo;
    cinfo->err = jpeg_std_error(&s->err.pub);
    s->err.pub.error_exit = ErrorExit;
    s->err.pub.output_message = OutputMessage;

    if (setjmp(s->err.jump)) {
        jpeg_destroy_decompress(cinfo);
        return s->complete;
    }

    jpeg_create_decompress(cinfo);
    s->progress.progress_monitor = ProgressMonitor;
    cinfo->progress = &s->progress;
    jpeg_mem_src(cinfo, data, size);
    jpeg_read_header(cinfo, TRUE);

    if (cinfo->image_width > static_cast<JDIMENSION>(kMaxPictureSide) ||
        cinfo->image_height > static_cast<JDIMENSION>(kMaxPictureSide)) {
        jpeg_destroy_decompress(cinfo);
        return false;
    }

    const bool cmyk = cinfo->jpeg_color_space == JCS_CMYK || cinfo->jpeg_color_space == JCS_YCCK;
    cinfo->out_color_space = cmyk ? JCS_CMYK : JCS_RGB;
    jpeg_start_decompress(cinfo);

    const int components = cinfo->output_components;
    if (components != (cmyk ? 4 : 3) || cinfo->output_width == 0 || cinfo->output_height == 0 ||
        cinfo->output_width > static_cast<JDIMENSION>(kMaxPictureSide) ||
        cinfo->output_height > static_cast<JDIMENSION>(kMaxPictureSide)) {
        jpeg_destroy_decompress(cinfo);
        return false;
    }

    s->width = static_cast<int>(cinfo->output_width);
    s->height = static_cast<int>(cinfo->output_height);
    const std::size_t stride = static_cast<std::size_t>(s->width) * 3;
    std::uint8_t* pixels = Allocate(*s->out, stride * static_cast<std::size_t>(s->height));
    if (!pixels) {
        jpeg_destroy_decompress(cinfo);
        return false;
    }

    // CMYK rows go through a buffer of libjpeg's own pool, freed with it.
    JSAMPARRAY cmykRow = nullptr;
    if (cmyk) {
        cmykRow = (*cinfo->mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(cinfo), JPOOL_IMAGE,
                                              cinfo->output_width * 4, 1);
    }

    while (cinfo->output_scanline < cinfo->output_height) {
        std::uint8_t* row = pixels + stride * cinfo->output_scanline;
        JSAMPROW target = cmyk ? cmykRow[0] : row;
        if (jpeg_read_scanlines(cinfo, &target, 1) != 1)
            break;  // the memory source never suspends; this only guards the loop
        if (cmyk) {
            // Adobe's writers store CMYK inverted; plain CMYK is ink amounts.
            const bool inverted = cinfo->saw_Adobe_marker;
            for (int x = 0; x < s->width; ++x) {
                const unsigned char* p = cmykRow[0] + 4 * x;
                unsigned c = p[0], m = p[1], y = p[2], k = p[3];
                if (!inverted) {
                    c = 255 - c;
                    m = 255 - m;
                    y = 255 - y;
                    k = 255 - k;
                }
                row[3 * x] = Mul255(c, k);
                row[3 * x + 1] = Mul255(m, k);
                row[3 * x + 2] = Mul255(y, k);
            }
        }
    }
    s->complete = true;
    jpeg_finish_decompress(cinfo);
    jpeg_destroy_decompress(cinfo);
    return true;
}

}  // namespace

Picture DecodeJpeg(const std::uint8_t* data, std::size_t size)
{
    Picture picture;
    if (data == nullptr || size == 0)
        return picture;

    DecodeState state{};
    state.out = &picture.rgb;
    if (!DecodeInto(&state, data, static_cast<unsigned long>(size))) {
        picture.rgb.clear();
        picture.rgb.shrink_to_fit();
        return picture;
    }
    picture.width = state.width;
    picture.height = state.height;
    return picture;
}

Picture DecodeJpegFile(const std::filesystem::path& path)
{
    const auto bytes = vor::ReadUserFileBytes(path, vor::kMaxPictureFileBytes);
    if (!bytes)
        return {};
    return DecodeJpeg(reinterpret_cast<const std::uint8_t*>(bytes->data()), bytes->size());
}

}  // namespace kalendo
