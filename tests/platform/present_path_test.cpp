// The X server's Present path on a real (virtual) X server: it counts the server's blanks one by
// one, puts exactly the updated part of each frame into the window while the rest stays as the
// frames before left it, and hears back what the server presented.

#include "platform/presentation/present_path.h"

#include <QImage>
#include <QPainter>
#include <QTest>
#include <QWidget>
#include <QWindow>
#include <cstdlib>
#include <gtest/gtest.h>
#include <memory>
#include <vector>
#include <xcb/xcb.h>

namespace mirelta {
namespace {

constexpr QSize kWindow(200, 100);

struct Refresh {
    std::uint64_t counter;
    double atMs;
};

class PresentPathTest : public ::testing::TestWithParam<PixelTransfer> {
protected:
    void SetUp() override {
        widget_.setFixedSize(kWindow);
        widget_.setAutoFillBackground(true);
        widget_.setPalette(QPalette(Qt::black));
        widget_.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&widget_));
        QTest::qWait(100); // Qt's first paint has reached the server
        path_ = presentPathFor(
            widget_.windowHandle(),
            [this](std::uint64_t counter, double at) {
                refreshes_.push_back({counter, at});
            },
            GetParam());
        ASSERT_NE(path_, nullptr) << "the virtual X server offers the Present extension";
    }

    // Waits for the next refresh the path is told of.
    Refresh nextRefresh() {
        const std::size_t before = refreshes_.size();
        EXPECT_TRUE(QTest::qWaitFor([&] { return refreshes_.size() > before; }, 2000));
        return refreshes_.empty() ? Refresh{0, 0} : refreshes_.back();
    }

    // The window's pixel as the server holds it, as 0xRRGGBB.
    static std::uint32_t serverPixel(WId window, QPoint at) {
        xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
        auto* reply = xcb_get_image_reply(
            connection,
            xcb_get_image(connection, XCB_IMAGE_FORMAT_Z_PIXMAP, static_cast<xcb_window_t>(window),
                          static_cast<std::int16_t>(at.x()), static_cast<std::int16_t>(at.y()), 1,
                          1, ~0u),
            nullptr);
        std::uint32_t pixel = 0xDEAD;
        if (reply != nullptr && xcb_get_image_data_length(reply) >= 4) {
            const std::uint8_t* bytes = xcb_get_image_data(reply);
            pixel = static_cast<std::uint32_t>(bytes[2] << 16 | bytes[1] << 8 | bytes[0]);
        }
        std::free(reply);
        xcb_disconnect(connection);
        return pixel;
    }

    static QImage halves(QColor left, QColor right) {
        QImage image(kWindow, QImage::Format_RGB32);
        QPainter painter(&image);
        painter.fillRect(QRect(0, 0, 100, 100), left);
        painter.fillRect(QRect(100, 0, 100, 100), right);
        return image;
    }

    // The refresh at hand, as the server counts it.
    std::uint64_t refreshAtHand() {
        path_->askForRefresh(0);
        return nextRefresh().counter;
    }

    // The server's answers to the next `count` frames presented.
    std::vector<PresentationFeedback> answers(std::size_t count) {
        std::vector<PresentationFeedback> answers;
        EXPECT_TRUE(QTest::qWaitFor(
            [&] {
                for (const PresentationFeedback& answer : path_->collect()) {
                    answers.push_back(answer);
                }
                return answers.size() >= count;
            },
            2000));
        return answers;
    }

    QWidget widget_;
    std::unique_ptr<PresentPath> path_;
    std::vector<Refresh> refreshes_;
};

TEST_P(PresentPathTest, CountsTheServersBlanksOneByOne) {
    path_->askForRefresh(0);
    Refresh last = nextRefresh();
    for (int i = 0; i < 20; ++i) {
        path_->askForRefresh(last.counter + 1);
        const Refresh next = nextRefresh();
        // Asked at once, so no blank can pass unseen.
        EXPECT_EQ(next.counter, last.counter + 1);
        EXPECT_GT(next.atMs, last.atMs);
        last = next;
    }
    EXPECT_EQ(path_->size(), kWindow);
}

TEST_P(PresentPathTest, PutsOnlyTheUpdatedPartAndKeepsTheRestAsTheFramesBeforeLeftIt) {
    const QRect left(0, 0, 100, 100);
    const QRect right(100, 0, 100, 100);
    const WId window = widget_.winId();

    // The first frame covers all.
    std::uint64_t counter = refreshAtHand();
    path_->present(halves(Qt::red, Qt::red), QRegion(left) + right, 1, counter + 1);
    std::vector<PresentationFeedback> shown = answers(1);
    EXPECT_EQ(serverPixel(window, {150, 50}), 0xFF0000u);

    // Two frames on two refreshes in a row, so the second goes through a buffer of its own while
    // the server still reads the first: each changes one half, from a picture whose other half is
    // a colour the window must not show.
    counter = refreshAtHand();
    path_->present(halves(Qt::green, Qt::yellow), QRegion(left), 2, counter + 1);
    path_->present(halves(Qt::cyan, Qt::blue), QRegion(right), 3, counter + 2);
    for (const PresentationFeedback& answer : answers(2)) {
        shown.push_back(answer);
    }
    EXPECT_EQ(serverPixel(window, {50, 50}), 0x00FF00u);
    EXPECT_EQ(serverPixel(window, {150, 50}), 0x0000FFu);

    counter = refreshAtHand();
    path_->present(halves(Qt::white, Qt::white), QRegion(QRect(0, 0, 10, 10)), 4, counter + 1);
    for (const PresentationFeedback& answer : answers(1)) {
        shown.push_back(answer);
    }
    EXPECT_EQ(serverPixel(window, {5, 5}), 0xFFFFFFu);
    EXPECT_EQ(serverPixel(window, {50, 50}), 0x00FF00u);
    EXPECT_EQ(serverPixel(window, {150, 50}), 0x0000FFu);

    ASSERT_EQ(shown.size(), 4u);
    long frame = 0;
    std::uint64_t sequence = 0;
    double presentedMs = 0;
    for (const PresentationFeedback& answer : shown) {
        EXPECT_EQ(answer.frame, ++frame);
        EXPECT_TRUE(answer.presented);
        // A server that falls behind may copy two frames on one refresh.
        EXPECT_GE(answer.sequence, sequence) << "frame " << frame;
        EXPECT_GE(answer.presentedMs, presentedMs) << "frame " << frame;
        EXPECT_GT(answer.sequence, 0u);
        sequence = answer.sequence;
        presentedMs = answer.presentedMs;
    }
}

INSTANTIATE_TEST_SUITE_P(SharedAndInRequests, PresentPathTest,
                         ::testing::Values(PixelTransfer::SharedWhereOffered,
                                           PixelTransfer::Requests));

TEST(PresentPathChoice, DeclinedWithoutAWindowOrWhenSwitchedOff) {
    EXPECT_EQ(presentPathFor(nullptr, {}), nullptr);
    QWidget widget;
    widget.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&widget));
    qputenv("MIRELTA_NO_PRESENT", "1");
    EXPECT_EQ(presentPathFor(widget.windowHandle(), {}), nullptr);
    qunsetenv("MIRELTA_NO_PRESENT");
    EXPECT_NE(presentPathFor(widget.windowHandle(), {}), nullptr);
}

} // namespace
} // namespace mirelta
