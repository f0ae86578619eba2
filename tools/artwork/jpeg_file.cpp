#include "tools/artwork/jpeg_file.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <jpeglib.h>

namespace mirelta::artwork {

bool writeJpeg(const QImage& image, const std::filesystem::path& file, int quality) {
    const QImage rgb = image.convertToFormat(QImage::Format_RGB888);

    // libjpeg's default error handler ends the process with a message, which is what a
    // generator run by hand should do.
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);

    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);

    info.image_width = static_cast<JDIMENSION>(rgb.width());
    info.image_height = static_cast<JDIMENSION>(rgb.height());
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    info.optimize_coding = TRUE;

    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        JSAMPROW row =
            const_cast<JSAMPROW>(rgb.constScanLine(static_cast<int>(info.next_scanline)));
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);

    std::ofstream stream(file, std::ios::binary);
    stream.write(reinterpret_cast<const char*>(buffer), static_cast<std::streamsize>(size));
    std::free(buffer);
    return static_cast<bool>(stream);
}

} // namespace mirelta::artwork
