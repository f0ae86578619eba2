// Picture files made to cost the loader time or memory are refused from what their headers say,
// before the work they ask for; pictures within the limits still load.

#include "platform/pictures/picture_loader.h"
#include "tests/support/test_pictures.h"
#include "tools/pictures/hostile_pictures.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace mirelta;
using namespace mirelta::hostile;

namespace {

const QString kTooLarge = QStringLiteral("Изображение слишком велико");
const QString kTooSmall = QStringLiteral("Файл изображения слишком мал");

QByteArray greyJpeg(int width, int height) {
    return jpeg({.width = width, .height = height, .colour = Colour::Grey});
}

} // namespace

TEST(PictureLimits, AProgressiveJpegOfMoreThanAHundredScansIsRefused) {
    // Two scans of its own and the last one again, 98 or 99 times.
    const JpegShape hundred{.width = 256,
                            .height = 256,
                            .colour = Colour::Grey,
                            .progressive = true,
                            .repeatedScans = 98};
    const LoadedPicture loaded = decodePicture(jpeg(hundred));
    ASSERT_TRUE(loaded.ok()) << loaded.error.toStdString();
    EXPECT_EQ(loaded.image.size(), QSize(256, 256));

    JpegShape more = hundred;
    more.repeatedScans = 99;
    const LoadedPicture refused = decodePicture(jpeg(more));
    EXPECT_FALSE(refused.ok());
    EXPECT_TRUE(refused.image.isNull());
    EXPECT_TRUE(refused.error.contains(QStringLiteral("больше чем за 100 проходов")))
        << refused.error.toStdString();

    // Refinement scans, the costliest kind to repeat.
    const LoadedPicture refinements =
        decodePicture(jpeg({.width = 64, .height = 64, .refined = true, .repeatedScans = 3000}));
    EXPECT_FALSE(refinements.ok());
}

TEST(PictureLimits, PicturesOfMorePixelsThan4096By4096AreRefusedWhateverTheirFormat) {
    const LoadedPicture largest = decodePicture(greyJpeg(4096, 4096));
    ASSERT_TRUE(largest.ok()) << largest.error.toStdString();
    EXPECT_EQ(largest.image.size(), QSize(4096, 4096));

    // Whole, valid files: only their size is against them.
    for (const QByteArray& file :
         {greyJpeg(4097, 4096), greyJpeg(8192, 2049), runLengthBmp(4096, 4097),
          runLengthBmp(8192, 8192), shortGif(8192, 8192), shortGif(16384, 16384)}) {
        const LoadedPicture refused = decodePicture(file);
        EXPECT_FALSE(refused.ok());
        EXPECT_TRUE(refused.image.isNull());
        EXPECT_TRUE(refused.error.startsWith(kTooLarge)) << refused.error.toStdString();
    }
    // Qt's reader reports a GIF's size wrongly before reading it: the header says what it makes.
    const LoadedPicture wide = decodePicture(emptyImageGif(18960, 256));
    EXPECT_FALSE(wide.ok());
    EXPECT_TRUE(wide.error.startsWith(kTooLarge)) << wide.error.toStdString();
    const LoadedPicture bmp = decodePicture(runLengthBmp(4096, 4096));
    ASSERT_TRUE(bmp.ok()) << bmp.error.toStdString();
    EXPECT_EQ(bmp.image.size(), QSize(4096, 4096));
}

TEST(PictureLimits, AFileFarTooSmallForItsDeclaredSizeIsRefusedFromItsHeader) {
    for (const QByteArray& file :
         {headerOnly(greyJpeg(4096, 4096)), headerOnly(jpeg({.width = 4096, .height = 3072})),
          shortGif(4096, 4096), shortGif(1000, 1000), emptyImageGif(4096, 4096)}) {
        const LoadedPicture refused = decodePicture(file);
        EXPECT_FALSE(refused.ok());
        EXPECT_TRUE(refused.error.startsWith(kTooSmall)) << refused.error.toStdString();
    }
    // Within the bound, a file without its data is refused where its data ends.
    const LoadedPicture ended = decodePicture(headerOnly(jpeg({.width = 2048, .height = 2048})));
    EXPECT_FALSE(ended.ok());
    EXPECT_TRUE(ended.error.contains(QStringLiteral("обрывается"))) << ended.error.toStdString();
    // Arithmetic coding makes a flat picture a few bytes: the bound is not for it.
    const QByteArray arithmetic = jpeg({.width = 4096, .height = 4096, .arithmetic = true});
    ASSERT_LT(arithmetic.size(), 1024);
    const LoadedPicture flat = decodePicture(arithmetic);
    ASSERT_TRUE(flat.ok()) << flat.error.toStdString();
    EXPECT_EQ(flat.image.size(), QSize(4096, 4096));
    // Without its data it ends early, and is refused where it does.
    const LoadedPicture cut = decodePicture(headerOnly(arithmetic));
    EXPECT_FALSE(cut.ok());
    EXPECT_TRUE(cut.error.contains(QStringLiteral("обрывается"))) << cut.error.toStdString();
    // A small GIF that holds its pixels still loads.
    EXPECT_TRUE(decodePicture(plainGif(300, 200)).ok());
}

TEST(PictureLimits, AProgressiveJpegOfMoreThan32MegabytesIsRefusedASequentialOneIsNot) {
    constexpr qsizetype kSize = qsizetype{33} * 1024 * 1024;
    const QByteArray progressive =
        paddedJpeg(jpeg({.width = 64, .height = 64, .progressive = true}), kSize);
    const LoadedPicture refused = decodePicture(progressive);
    EXPECT_FALSE(refused.ok());
    EXPECT_TRUE(refused.error.contains(QStringLiteral("32 МБ"))) << refused.error.toStdString();
    EXPECT_TRUE(decodePicture(paddedJpeg(jpeg({.width = 64, .height = 64}), kSize)).ok());
}

TEST(PictureLimits, TheMessageNamesTheFile) {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("огромная.jpg"));
    ASSERT_TRUE(test::writeFile(file, headerOnly(greyJpeg(16384, 16384))));
    const LoadedPicture refused = loadPicture(file);
    EXPECT_FALSE(refused.ok());
    EXPECT_TRUE(refused.error.startsWith(
        QStringLiteral("Не удаётся загрузить изображение огромная.jpg:\n") + kTooLarge))
        << refused.error.toStdString();
}
