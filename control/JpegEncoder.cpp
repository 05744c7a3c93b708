#include "control/JpegEncoder.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <jerror.h>
#include <jpeglib.h>

namespace control {

namespace {

// libjpeg's default error handler ends the process; ours jumps back to the encoder.
struct ErrorTrap {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

void trapError(j_common_ptr cinfo)
{
    auto *trap = reinterpret_cast<ErrorTrap *>(cinfo->err);
    (*cinfo->err->format_message)(cinfo, trap->message);
    std::longjmp(trap->jump, 1);
}

void ignoreMessage(j_common_ptr) {}

// A growing malloc'ed buffer, so whatever happens the caller can free exactly one pointer.
struct Sink {
    jpeg_destination_mgr pub;
    JOCTET *data;
    std::size_t capacity;
    std::size_t size;
};

constexpr std::size_t FirstSinkCapacity = 64 * 1024;

void sinkInit(j_compress_ptr cinfo)
{
    auto *sink = reinterpret_cast<Sink *>(cinfo->dest);
    sink->data = static_cast<JOCTET *>(std::malloc(FirstSinkCapacity));
    if (!sink->data)
        ERREXIT1(cinfo, JERR_OUT_OF_MEMORY, 1);
    sink->capacity = FirstSinkCapacity;
    sink->pub.next_output_byte = sink->data;
    sink->pub.free_in_buffer = sink->capacity;
}

boolean sinkGrow(j_compress_ptr cinfo)
{
    auto *sink = reinterpret_cast<Sink *>(cinfo->dest);
    // Called with the whole buffer full, whatever free_in_buffer says.
    const std::size_t used = sink->capacity;
    auto *bigger = static_cast<JOCTET *>(std::realloc(sink->data, used * 2));
    if (!bigger)
        ERREXIT1(cinfo, JERR_OUT_OF_MEMORY, 2);
    sink->data = bigger;
    sink->capacity = used * 2;
    sink->pub.next_output_byte = sink->data + used;
    sink->pub.free_in_buffer = sink->capacity - used;
    return TRUE;
}

void sinkTerm(j_compress_ptr cinfo)
{
    auto *sink = reinterpret_cast<Sink *>(cinfo->dest);
    sink->size = sink->capacity - sink->pub.free_in_buffer;
}

// Only plain C objects live in this frame, so leaving it by longjmp skips no destructor.
bool encodeRgbRows(const unsigned char *pixels, int width, int height, std::size_t stride,
                   int quality, Sink *sink, char *message)
{
    jpeg_compress_struct cinfo;
    ErrorTrap trap;
    cinfo.err = jpeg_std_error(&trap.pub);
    trap.pub.error_exit = trapError;
    trap.pub.output_message = ignoreMessage;
    if (setjmp(trap.jump)) {
        std::memcpy(message, trap.message, JMSG_LENGTH_MAX);
        jpeg_destroy_compress(&cinfo);
        return false;
    }
    jpeg_create_compress(&cinfo);

    sink->pub.init_destination = sinkInit;
    sink->pub.empty_output_buffer = sinkGrow;
    sink->pub.term_destination = sinkTerm;
    cinfo.dest = &sink->pub;

    cinfo.image_width = static_cast<JDIMENSION>(width);
    cinfo.image_height = static_cast<JDIMENSION>(height);
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    // Forcing baseline keeps every quantisation value within 8 bits, so the frame is SOF0;
    // without a progression script the scan is sequential.
    jpeg_set_quality(&cinfo, quality, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(pixels + cinfo.next_scanline * stride);
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    return true;
}

// The largest side a JPEG frame header can carry.
constexpr int MaxJpegSide = 65500;

} // namespace

QByteArray EncodeJpeg(const QImage &image, int quality, QString *error)
{
    auto failWith = [error](const QString &why) {
        if (error)
            *error = why;
        return QByteArray();
    };
    if (image.isNull() || image.width() < 1 || image.height() < 1)
        return failWith(QStringLiteral("the picture is empty"));
    if (image.width() > MaxJpegSide || image.height() > MaxJpegSide)
        return failWith(QStringLiteral("the picture is too large for a JPEG file"));
    if (quality < 1 || quality > 100)
        return failWith(QStringLiteral("quality %1 is outside 1 to 100").arg(quality));

    const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
    Sink sink{};
    char message[JMSG_LENGTH_MAX] = {};
    const bool ok =
        encodeRgbRows(rgb.constBits(), rgb.width(), rgb.height(),
                      static_cast<std::size_t>(rgb.bytesPerLine()), quality, &sink, message);
    QByteArray result;
    if (ok)
        result = QByteArray(reinterpret_cast<const char *>(sink.data),
                            static_cast<qsizetype>(sink.size));
    std::free(sink.data);
    if (!ok)
        return failWith(QString::fromLocal8Bit(message));
    return result;
}

} // namespace control
