// mirelta-media: makes the pictures and sounds that ship with the program.
//
//   mirelta-media DATA-FOLDER
//
// writes DATA-FOLDER/backgrounds (the four panel backgrounds, 24-bit BMP), DATA-FOLDER/Image (the
// scenario pictures the standard suggestions name, JPEG through libjpeg and GIF) and
// DATA-FOLDER/Sound (the looping sounds, 16-bit PCM WAV). The files are committed; run this to
// make them again. Every run writes the same files.

#include "tools/artwork/backgrounds.h"
#include "tools/artwork/bmp_file.h"
#include "tools/artwork/gif_file.h"
#include "tools/artwork/jpeg_file.h"
#include "tools/media/scenes.h"
#include "tools/media/sounds.h"

#include <QGuiApplication>
#include <cstdio>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: mirelta-media DATA-FOLDER\n");
        return 2;
    }
    const fs::path data = argv[1];
    bool ok = true;
    for (const auto& background : mirelta::artwork::makeBackgrounds()) {
        fs::create_directories(data / "backgrounds");
        ok = mirelta::artwork::writeBmp24(background.image,
                                          data / "backgrounds" / background.fileName) &&
             ok;
    }
    for (const auto& scene : mirelta::media::makeScenes()) {
        const fs::path file = data / "Image" / scene.path.toStdString();
        fs::create_directories(file.parent_path());
        ok = (file.extension() == ".gif" ? mirelta::artwork::writeGif(scene.image, file)
                                         : mirelta::artwork::writeJpeg(scene.image, file)) &&
             ok;
    }
    for (const auto& sound : mirelta::media::makeSounds()) {
        const fs::path file = data / "Sound" / sound.path;
        fs::create_directories(file.parent_path());
        std::ofstream(file, std::ios::binary) << mirelta::media::waveFile(sound.samples);
    }
    if (!ok) {
        std::fprintf(stderr, "mirelta-media: a file could not be written\n");
    }
    return ok ? 0 : 1;
}
