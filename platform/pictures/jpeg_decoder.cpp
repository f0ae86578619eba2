#include "platform/pictures/jpeg_decoder.h"

#include "platform/pictures/picture_loader.h"

#include <csetjmp>
#include <cstdio>
#include <jerror.h>
#include <jpeglib.h>
#include <vector>

namespace mirelta {
namespace {

// A progressive JPEG is decoded over the whole picture once for each of its scans, and nothing
// stops a file from repeating a scan thousands of times. Encoders write about ten.
constexpr int kMaxScans = 100;

// libjpeg decodes a progressive file's data at about a third of the speed of a sequential one's,
// so the largest it is given is smaller: still twice what a 4096 x 4096 photograph at the highest
// quality takes.
constexpr qint64 kMaxProgressiveBytes = qint64{32} * 1024 * 1024;

// A Huffman-coded scan spends at least one bit on every 8 x 8 block of a component it codes, and
// a component may have a sixteenth of the picture's resolution (sampling factors go from 1 to 4):
// so a file holds at most this many pixels in a byte. Arithmetic coding has no such bound.
constexpr qint64 kHuffmanPixelsPerByte = qint64{8} * 64 * 16;

// libjpeg reports errors by calling error_exit, which by default ends the process; this one
// jumps back to the decoder instead.
struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf jump;
    bool truncated = false;
    bool tooManyScans = false;
};

void onError(j_common_ptr info) {
    std::longjmp(reinterpret_cast<ErrorManager*>(info->err)->jump, 1);
}

void onMessage(j_common_ptr info, int level) {
    auto* manager = reinterpret_cast<ErrorManager*>(info->err);
    // A file that ends early would decode as a picture with a grey lower part, after the work of
    // decoding all of it: refuse it at once instead.
    if (level < 0 && info->err->msg_code == JWRN_JPEG_EOF) {
        manager->truncated = true;
        onError(info);
    }
}

// Called as libjpeg works through its input, scan by scan.
void onProgress(j_common_ptr info) {
    const auto* decompress = reinterpret_cast<j_decompress_ptr>(info);
    if (decompress->input_scan_number > kMaxScans) {
        reinterpret_cast<ErrorManager*>(info->err)->tooManyScans = true;
        onError(info);
    }
}

void cmykToRgb(const unsigned char* cmyk, unsigned char* rgb, int width, bool inverted) {
    for (int x = 0; x < width; ++x, cmyk += 4, rgb += 3) {
        const int k = inverted ? cmyk[3] : 255 - cmyk[3];
        for (int c = 0; c < 3; ++c) {
            const int value = inverted ? cmyk[c] : 255 - cmyk[c];
            rgb[c] = static_cast<unsigned char>(value * k / 255);
        }
    }
}

} // namespace

bool looksLikeJpeg(const QByteArray& bytes) {
    return bytes.size() >= 3 && static_cast<unsigned char>(bytes[0]) == 0xFF &&
           static_cast<unsigned char>(bytes[1]) == 0xD8 &&
           static_cast<unsigned char>(bytes[2]) == 0xFF;
}

namespace {

QString failureMessage(const ErrorManager& manager) {
    if (manager.truncated) {
        return QStringLiteral(
            "Файл изображения JPEG обрывается: он повреждён или записан не полностью");
    }
    if (manager.tooManyScans) {
        return QStringLiteral(
                   "Изображение JPEG записано больше чем за %1 проходов: такой файл не открывается")
            .arg(kMaxScans);
    }
    return QStringLiteral("Файл повреждён или не является изображением JPEG");
}

// Everything that changes after the jump point lives here, reached through a reference, so that
// its state is exact when libjpeg jumps back.
struct JpegJob {
    jpeg_decompress_struct info{};
    ErrorManager manager{};
    jpeg_progress_mgr progress{};
    QImage image;
    std::vector<unsigned char> row;
    QString error;
};

void readImage(JpegJob& job, qint64 fileBytes) {
    jpeg_decompress_struct& info = job.info;
    jpeg_read_header(&info, TRUE);
    // Before anything the size asks for is allocated or decoded.
    job.error = pictureSizeProblem(info.image_width, info.image_height, fileBytes,
                                   info.arith_code ? 0 : kHuffmanPixelsPerByte);
    if (!job.error.isEmpty()) {
        return;
    }
    if (info.progressive_mode && fileBytes > kMaxProgressiveBytes) {
        job.error =
            QStringLiteral("Прогрессивный файл JPEG больше %1 МБ: такой файл не открывается")
                .arg(kMaxProgressiveBytes / (qint64{1024} * 1024));
        return;
    }
    const bool cmyk = info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
    info.out_color_space = cmyk ? JCS_CMYK : JCS_RGB;
    jpeg_start_decompress(&info);
    job.image = QImage(static_cast<int>(info.output_width), static_cast<int>(info.output_height),
                       QImage::Format_RGB888);
    if (job.image.isNull()) {
        job.error = QStringLiteral("Недостаточно памяти для изображения");
        return;
    }
    job.row.resize(static_cast<std::size_t>(info.output_width) * info.output_components);
    // Photoshop writes CMYK JPEGs inverted and marks them with an Adobe marker.
    const bool inverted = info.saw_Adobe_marker;
    while (info.output_scanline < info.output_height) {
        unsigned char* target = job.image.scanLine(static_cast<int>(info.output_scanline));
        JSAMPROW sample = cmyk ? job.row.data() : target;
        jpeg_read_scanlines(&info, &sample, 1);
        if (cmyk) {
            cmykToRgb(job.row.data(), target, static_cast<int>(info.output_width), inverted);
        }
    }
    jpeg_finish_decompress(&info);
}

// The jump point; returns false when libjpeg reported an error.
bool runDecoder(JpegJob& job, const QByteArray& bytes) {
    job.info.err = jpeg_std_error(&job.manager.base);
    job.manager.base.error_exit = onError;
    job.manager.base.emit_message = onMessage;
    if (setjmp(job.manager.jump)) {
        return false;
    }
    jpeg_create_decompress(&job.info);
    job.progress.progress_monitor = onProgress;
    job.info.progress = &job.progress;
    jpeg_mem_src(&job.info, reinterpret_cast<const unsigned char*>(bytes.constData()),
                 static_cast<unsigned long>(bytes.size()));
    readImage(job, bytes.size());
    return true;
}

} // namespace

QImage decodeJpeg(const QByteArray& bytes, QString& error) {
    JpegJob job;
    const bool decoded = runDecoder(job, bytes);
    jpeg_destroy_decompress(&job.info);
    if (!decoded) {
        error = failureMessage(job.manager);
        return {};
    }
    error = job.error;
    return error.isEmpty() ? job.image : QImage();
}

} // namespace mirelta
