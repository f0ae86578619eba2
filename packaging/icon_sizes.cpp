// mirelta-icon-sizes: the program's icon at the sizes desktops ask the hicolor theme for, drawn
// from the one picture of it we keep.
//
//   mirelta-icon-sizes SOURCE.png FOLDER SIZE...
//
// writes FOLDER/SIZExSIZE/apps/mirelta.png for each SIZE. The icon is drawn on a pixel grid, so
// whole multiples of its size repeat each pixel (a smoothed enlargement would blur its edges);
// smaller sizes are averaged down. Exits 1 when the source cannot be read or a file cannot be
// written, 2 on a usage error.

#include <QDir>
#include <QImage>
#include <QString>
#include <charconv>
#include <iostream>
#include <string_view>
#include <vector>

namespace {

constexpr int kLargest = 1024;

QImage resized(const QImage& source, int size) {
    const bool whole =
        size >= source.width() && size % source.width() == 0 && source.width() == source.height();
    return source.scaled(size, size, Qt::IgnoreAspectRatio,
                         whole ? Qt::FastTransformation : Qt::SmoothTransformation);
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::cerr << "usage: mirelta-icon-sizes SOURCE.png FOLDER SIZE...\n";
        return 2;
    }
    std::vector<int> sizes;
    for (int i = 3; i < argc; ++i) {
        const std::string_view text(argv[i]);
        int size = 0;
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), size);
        if (error != std::errc() || end != text.data() + text.size() || size < 1 ||
            size > kLargest) {
            std::cerr << "mirelta-icon-sizes: not a size from 1 to " << kLargest << ": " << text
                      << '\n';
            return 2;
        }
        sizes.push_back(size);
    }
    const QImage source(QString::fromLocal8Bit(argv[1]));
    if (source.isNull()) {
        std::cerr << "mirelta-icon-sizes: cannot read the picture " << argv[1] << '\n';
        return 1;
    }
    const QImage icon = source.convertToFormat(QImage::Format_ARGB32);
    const QDir folder(QString::fromLocal8Bit(argv[2]));
    for (const int size : sizes) {
        const QString name = QStringLiteral("%1x%1/apps").arg(size);
        const QString path = folder.filePath(name + QStringLiteral("/mirelta.png"));
        if (!folder.mkpath(name) || !resized(icon, size).save(path, "PNG")) {
            std::cerr << "mirelta-icon-sizes: cannot write " << path.toStdString() << '\n';
            return 1;
        }
    }
    return 0;
}
