#include "platform/pictures/picture_loader.h"
#include "tests/support/test_pictures.h"

#include <QBuffer>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace mirelta;
using namespace mirelta::test;

namespace {

// Colours survive within the tolerance of a lossy format.
void expectSimilar(const QImage& actual, const QImage& expected, int tolerance) {
    ASSERT_EQ(actual.size(), expected.size());
    for (const QPoint p :
         {QPoint(0, 0), QPoint(expected.width() - 1, 0), QPoint(0, expected.height() - 1),
          QPoint(expected.width() / 2, expected.height() / 2)}) {
        const QRgb a = actual.pixel(p);
        const QRgb e = expected.pixel(p);
        EXPECT_NEAR(qRed(a), qRed(e), tolerance) << p.x() << "," << p.y();
        EXPECT_NEAR(qGreen(a), qGreen(e), tolerance);
        EXPECT_NEAR(qBlue(a), qBlue(e), tolerance);
    }
}

} // namespace

TEST(PictureLoader, DecodesJpegBmpAndGifByContent) {
    const QImage pattern = patternImage(120, 90);
    const LoadedPicture jpeg = decodePicture(jpegBytes(pattern, 95));
    ASSERT_TRUE(jpeg.ok()) << jpeg.error.toStdString();
    expectSimilar(jpeg.image, pattern, 12);

    const LoadedPicture bmp = decodePicture(bmpBytes(pattern));
    ASSERT_TRUE(bmp.ok());
    expectSimilar(bmp.image, pattern, 0);

    const QImage grey = pattern.convertToFormat(QImage::Format_Grayscale8);
    const LoadedPicture gif = decodePicture(gifBytes(grey));
    ASSERT_TRUE(gif.ok()) << gif.error.toStdString();
    expectSimilar(gif.image, grey, 0);
}

TEST(PictureLoader, AGreyJpegComesOutInColourChannels) {
    QImage grey(40, 30, QImage::Format_Grayscale8);
    grey.fill(200);
    const LoadedPicture loaded = decodePicture(jpegBytes(grey));
    ASSERT_TRUE(loaded.ok());
    EXPECT_NEAR(qRed(loaded.image.pixel(5, 5)), 200, 3);
}

TEST(PictureLoader, DamagedFilesGiveAMessageInsteadOfAPicture) {
    const QByteArray jpeg = jpegBytes(patternImage(200, 200));
    const QByteArray cut = jpeg.left(jpeg.size() / 2);
    QByteArray scrambled = jpeg;
    for (qsizetype i = 20; i < scrambled.size(); i += 3) {
        scrambled[i] = static_cast<char>(scrambled[i] ^ 0x5A);
    }
    QByteArray gif = gifBytes(patternImage(50, 50));
    gif[6] = '\xFF'; // width
    gif[7] = '\xFF';
    gif.truncate(40);
    QByteArray bmp = bmpBytes(patternImage(50, 50));
    bmp[10] = '\x7F'; // pixel data offset past the end
    bmp[11] = '\x7F';
    const std::vector<QByteArray> damaged = {
        cut, scrambled, gif, bmp, QByteArray("\xFF\xD8\xFF"), QByteArray(), QByteArray("text")};
    for (std::size_t i = 0; i < damaged.size(); ++i) {
        const LoadedPicture loaded = decodePicture(damaged[i]);
        EXPECT_FALSE(loaded.ok()) << "file " << i;
        EXPECT_TRUE(loaded.image.isNull()) << "file " << i;
    }
    EXPECT_FALSE(decodePicture(cut).error.isEmpty());
}

TEST(PictureLoader, OtherFormatsAndMissingFilesAreRefused) {
    QByteArray png;
    {
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        patternImage(10, 10).save(&buffer, "PNG");
    }
    EXPECT_FALSE(decodePicture(png).ok());

    QTemporaryDir dir;
    const LoadedPicture missing = loadPicture(dir.filePath(QStringLiteral("нет.jpeg")));
    EXPECT_FALSE(missing.ok());
    EXPECT_TRUE(missing.error.contains(QStringLiteral("нет.jpeg")));
    EXPECT_FALSE(loadPicture(dir.path()).ok()); // a folder

    const QString file = dir.filePath(QStringLiteral("photo.JPG"));
    ASSERT_TRUE(writeFile(file, jpegBytes(patternImage(64, 48))));
    const LoadedPicture loaded = loadPicture(file);
    ASSERT_TRUE(loaded.ok());
    EXPECT_EQ(loaded.image.size(), QSize(64, 48));
}
