// mirelta-load-picture FILE: loads FILE as the program loads a photo or a thesis picture and
// says what came of it: "WxH" on stdout and 0, or the user's message on stderr and 1.

#include "platform/pictures/picture_loader.h"

#include <QString>
#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: mirelta-load-picture FILE\n");
        return 2;
    }
    const mirelta::LoadedPicture picture = mirelta::loadPicture(QString::fromLocal8Bit(argv[1]));
    if (!picture.ok()) {
        std::fprintf(stderr, "%s\n", qPrintable(picture.error));
        return 1;
    }
    std::printf("%dx%d\n", picture.image.width(), picture.image.height());
    return 0;
}
