// Counting the display's refreshes by an X server's blanks: the cycle from the server's own count,
// one question at a time for the next blank, blanks the program was too late for counted as
// missed, a count that goes back taken as the next refresh, and a server that falls silent asked
// again, or, if it never answered, left for the program's own timer.

#include "gui/session/display_frames.h"

#include <QTest>
#include <QWindow>
#include <gtest/gtest.h>

using namespace mirelta;

namespace {

// A server whose blanks the test gives by hand.
class HandPresentPath final : public PresentPath {
public:
    explicit HandPresentPath(Refreshed refreshed) : refreshed_(std::move(refreshed)) {}

    void askForRefresh(std::uint64_t counter) override { questions.push_back(counter); }
    void present(const QImage&, const QRegion&, long, std::uint64_t) override {}
    QSize size() const override { return {100, 100}; }
    bool available() const override { return true; }
    void request(long) override {}
    std::vector<PresentationFeedback> collect() override { return {}; }
    void flushRequests() override {}
    void settle(int) override {}

    void blank(std::uint64_t counter, double atMs) { refreshed_(counter, atMs); }

    std::vector<std::uint64_t> questions;

private:
    Refreshed refreshed_;
};

constexpr double kCycle = 16.5;

class ServerBlanks : public ::testing::Test {
protected:
    ServerBlanks()
        : frames_(nullptr, [this](QWindow*, PresentPath::Refreshed refreshed) {
              auto path = std::make_unique<HandPresentPath>(std::move(refreshed));
              path_ = path.get();
              return path;
          }) {}

    void start() {
        frames_.start(
            &window_, 1000.0 / 60, [this](double cycle) { measured_ = cycle; },
            [this](long refresh, double) { ticks_.push_back(refresh); }, [] {});
    }

    // Answers every question with the blank it asked for, its time a cycle after the one before,
    // until the cycle is measured; the blanks lie in the future, so none was read late.
    void measure() {
        start();
        ASSERT_NE(path_, nullptr);
        ASSERT_EQ(frames_.source(), RefreshSource::ServerBlanks);
        ASSERT_EQ(path_->questions.back(), 0u) << "the first question is for the blank at hand";
        std::uint64_t counter = 5000;
        for (int i = 0; !measured_ && i < 100; ++i) {
            // Each blank's time wavers a little; the count between the first and last decides.
            blank(counter, (i % 2 == 0 ? 2.0 : -2.0));
            counter = path_->questions.back();
        }
    }

    void blank(std::uint64_t counter, double waver = 0) {
        path_->blank(counter, future_ + static_cast<double>(counter - 5000) * kCycle + waver);
    }

    QWindow window_;
    DisplayFrames frames_;
    HandPresentPath* path_ = nullptr;
    std::optional<double> measured_;
    std::vector<long> ticks_;
    double future_ = steadyClockMs() + 1e7;
};

} // namespace

TEST_F(ServerBlanks, TheCycleIsTheServersCountOverTheTimeItTook) {
    measure();
    ASSERT_TRUE(measured_.has_value());
    // The first and last measured blanks wavered by 2 ms each over 40 cycles.
    EXPECT_NEAR(*measured_, kCycle, 4.0 / DisplayFrames::kMeasuredRefreshes + 1e-9);
    EXPECT_DOUBLE_EQ(frames_.cycleMs(), *measured_);
    EXPECT_EQ(ticks_, std::vector<long>{0});
}

TEST_F(ServerBlanks, EachBlankAsksForTheNextAndOnesNobodyAnsweredAreMissed) {
    measure();
    const std::uint64_t first = path_->questions.back() - 1;
    ASSERT_EQ(frames_.counter(), first);
    blank(first + 1);
    EXPECT_EQ(path_->questions.back(), first + 2);
    // The server answered a question asked too late with the blank it had reached.
    blank(first + 4);
    EXPECT_EQ(path_->questions.back(), first + 5);
    EXPECT_EQ(ticks_, (std::vector<long>{0, 1, 4}));
    EXPECT_EQ(frames_.missed(), 2);
}

TEST_F(ServerBlanks, AnAnswerReadLateStandsForTheBlankAtHand) {
    measure();
    const std::uint64_t next = path_->questions.back();
    // Read two and a half cycles after the blank it tells of: two more have passed.
    path_->blank(next, steadyClockMs() - 2.5 * frames_.cycleMs());
    EXPECT_EQ(ticks_.back(), 3);
    EXPECT_EQ(frames_.missed(), 2);
    EXPECT_EQ(frames_.counter(), next + 2);
    EXPECT_EQ(path_->questions.back(), next + 3);
}

TEST_F(ServerBlanks, ACountThatGoesBackIsTheNextRefreshAndTheCountGoesOnFromIt) {
    measure();
    blank(path_->questions.back() + 100); // far ahead: another screen's count, then back
    const long before = ticks_.back();
    const long missedBefore = frames_.missed();
    path_->blank(7, future_);
    EXPECT_EQ(ticks_.back(), before + 1);
    EXPECT_EQ(frames_.missed(), missedBefore);
    EXPECT_EQ(path_->questions.back(), 8u);
    path_->blank(8, future_ + kCycle);
    EXPECT_EQ(ticks_.back(), before + 2);
}

TEST_F(ServerBlanks, ASilentServerIsAskedAgainForTheBlankAtHand) {
    measure();
    const std::size_t asked = path_->questions.size();
    QTest::qWait(DisplayFrames::kServerSilenceMs + 150);
    ASSERT_GT(path_->questions.size(), asked);
    EXPECT_EQ(path_->questions.back(), 0u);
    EXPECT_EQ(frames_.source(), RefreshSource::ServerBlanks);
}

TEST_F(ServerBlanks, AServerThatNeverAnswersLeavesTheTimingToTheTimer) {
    start();
    ASSERT_EQ(frames_.source(), RefreshSource::ServerBlanks);
    EXPECT_TRUE(QTest::qWaitFor([&] { return ticks_.size() >= 3; }, 2000));
    EXPECT_EQ(frames_.source(), RefreshSource::Timer);
    EXPECT_EQ(frames_.presentPath(), nullptr);
    ASSERT_TRUE(measured_.has_value());
    EXPECT_DOUBLE_EQ(*measured_, 1000.0 / 60);
}
