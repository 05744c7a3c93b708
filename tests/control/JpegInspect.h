#pragma once

// Reads back what the encoder wrote: the frame marker from the raw segments, and pixels and
// quantisation tables through libjpeg's decoder.

#include <QByteArray>
#include <QImage>

#include <array>
#include <csetjmp>
#include <cstdio>
#include <optional>

#include <jpeglib.h>

namespace jpeginspect {

struct Frame {
    int sofMarker = -1; // 0xC0 baseline, 0xC1 extended, 0xC2 progressive, ...
    int width = 0, height = 0, components = 0;
};

// Walks the marker segments up to the first scan.
inline std::optional<Frame> readFrame(const QByteArray &jpeg)
{
    auto byte = [&](qsizetype i) { return static_cast<unsigned char>(jpeg.at(i)); };
    if (jpeg.size() < 4 || byte(0) != 0xFF || byte(1) != 0xD8)
        return std::nullopt;
    std::optional<Frame> frame;
    qsizetype i = 2;
    while (i + 4 <= jpeg.size() && byte(i) == 0xFF) {
        const int marker = byte(i + 1);
        const int length = byte(i + 2) << 8 | byte(i + 3);
        if (marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 &&
            marker != 0xCC && i + 10 <= jpeg.size()) {
            if (frame) // a second frame header is no plain sequential file
                return std::nullopt;
            frame = Frame{marker, byte(i + 7) << 8 | byte(i + 8), byte(i + 5) << 8 | byte(i + 6),
                          byte(i + 9)};
        }
        if (marker == 0xDA)
            break;
        i += 2 + length;
    }
    return frame;
}

using QuantTable = std::array<int, 64>; // natural (row-major) order

struct Decoded {
    QImage image; // RGB888
    int components = 0;
    bool progressive = false;
    std::array<std::optional<QuantTable>, 4> quant;
};

namespace detail {
struct Trap {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
};
inline void trapError(j_common_ptr cinfo)
{
    std::longjmp(reinterpret_cast<Trap *>(cinfo->err)->jump, 1);
}
inline void quiet(j_common_ptr) {}
} // namespace detail

// Nothing when libjpeg cannot read the data.
inline std::optional<Decoded> decode(const QByteArray &jpeg)
{
    Decoded out;
    jpeg_decompress_struct cinfo;
    detail::Trap trap;
    cinfo.err = jpeg_std_error(&trap.pub);
    trap.pub.error_exit = detail::trapError;
    trap.pub.output_message = detail::quiet;
    if (setjmp(trap.jump)) {
        jpeg_destroy_decompress(&cinfo);
        return std::nullopt;
    }
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, reinterpret_cast<const unsigned char *>(jpeg.constData()),
                 static_cast<unsigned long>(jpeg.size()));
    jpeg_read_header(&cinfo, TRUE);
    out.components = cinfo.num_components;
    out.progressive = cinfo.progressive_mode;
    for (int t = 0; t < 4; ++t) {
        if (const JQUANT_TBL *q = cinfo.quant_tbl_ptrs[t]) {
            QuantTable table;
            for (int k = 0; k < 64; ++k)
                table[static_cast<std::size_t>(k)] = q->quantval[k];
            out.quant[static_cast<std::size_t>(t)] = table;
        }
    }
    cinfo.out_color_space = JCS_RGB;
    jpeg_start_decompress(&cinfo);
    out.image = QImage(static_cast<int>(cinfo.output_width), static_cast<int>(cinfo.output_height),
                       QImage::Format_RGB888);
    while (cinfo.output_scanline < cinfo.output_height) {
        JSAMPROW row = out.image.scanLine(static_cast<int>(cinfo.output_scanline));
        jpeg_read_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    return out;
}

// The example tables of the JPEG standard (Annex K), as libjpeg scales them for a quality:
// below 50 by 5000/q percent, from 50 on by 200-2q percent, rounded, kept within 1..255.
inline QuantTable standardTable(bool chroma, int quality)
{
    static constexpr std::array<int, 64> luminance = {
        16, 11, 10, 16, 24,  40,  51,  61,  12, 12, 14, 19, 26,  58,  60,  55,
        14, 13, 16, 24, 40,  57,  69,  56,  14, 17, 22, 29, 51,  87,  80,  62,
        18, 22, 37, 56, 68,  109, 103, 77,  24, 35, 55, 64, 81,  104, 113, 92,
        49, 64, 78, 87, 103, 121, 120, 101, 72, 92, 95, 98, 112, 100, 103, 99};
    static constexpr std::array<int, 64> chrominance = {
        17, 18, 24, 47, 99, 99, 99, 99, 18, 21, 26, 66, 99, 99, 99, 99, 24, 26, 56, 99, 99, 99,
        99, 99, 47, 66, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99,
        99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99};
    const int scale = quality < 50 ? 5000 / quality : 200 - 2 * quality;
    QuantTable out;
    const auto &base = chroma ? chrominance : luminance;
    for (std::size_t k = 0; k < 64; ++k) {
        const int v = (base[k] * scale + 50) / 100;
        out[k] = v < 1 ? 1 : (v > 255 ? 255 : v);
    }
    return out;
}

} // namespace jpeginspect
