// The progress form: the bar's integer geometry and drawing, and the modal
// run of steps with its end by OK or by Cancel.

#include "kelp/System/Language.h"
#include "screens/dialogs/ProgressBarDrawing.h"
#include "tests/dialogs/DialogForms.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using dialogs::kProgressBarWidth;
using dialogtest::Later;
using dialogtest::TheForms;

constexpr int kHead = 10;
constexpr int kTail = 8;

TEST(ProgressBar, HundredStepsAdvanceThreePointFiveThreePixelsAStep)
{
    // The first steps stay below the head's width and show nothing.
    EXPECT_EQ(dialogs::ShapeProgressBar(1, kHead, kTail).width, 0);
    EXPECT_EQ(dialogs::ShapeProgressBar(2, kHead, kTail).width, 0);
    EXPECT_FALSE(dialogs::ShapeProgressBar(2, kHead, kTail).head);
    EXPECT_EQ(dialogs::ShapeProgressBar(3, kHead, kTail).width, 10);
    // From step 3 on the bar grows by 3 or 4 pixels, 353 over 100 steps.
    int previous = dialogs::ShapeProgressBar(3, kHead, kTail).width;
    for (int step = 4; step <= 100; ++step) {
        const int width = dialogs::ShapeProgressBar(step, kHead, kTail).width;
        EXPECT_TRUE(width - previous == 3 || width - previous == 4) << "step " << step;
        previous = width;
    }
    EXPECT_EQ(dialogs::ShapeProgressBar(50, kHead, kTail).width, 176);
    EXPECT_EQ(previous, kProgressBarWidth);
}

TEST(ProgressBar, OnlyTheFullBarHasItsTailAtTheRightEnd)
{
    EXPECT_EQ(dialogs::ShapeProgressBar(99, kHead, kTail).tailLeft, -1);
    EXPECT_EQ(dialogs::ShapeProgressBar(100, kHead, kTail).tailLeft, kProgressBarWidth - kTail);
}

TEST(ProgressBar, DrawsHeadStretchedBodyAndTailFromTheFormsPieces)
{
    TProgressDialog& form = *TheForms().progress;
    form.DrawPercent(100);
    TBitmap& bar = form.ProgressBar->Picture();
    TBitmap& head = form.ProgressBarHead->Picture();
    TBitmap& body = form.ProgressBarBody->Picture();
    TBitmap& tail = form.ProgressBarTail->Picture();
    EXPECT_EQ(form.ProgressBar->Width(), kProgressBarWidth);
    const int middle = head.Height() / 2;
    EXPECT_EQ(bar.PixelColor(2, middle), head.PixelColor(2, middle));
    EXPECT_EQ(bar.PixelColor(200, middle), body.PixelColor(5, middle));
    EXPECT_EQ(bar.PixelColor(kProgressBarWidth - 1, 0), tail.PixelColor(tail.Width() - 1, 0));
    EXPECT_EQ(bar.PixelColor(kProgressBarWidth - 3, middle), tail.PixelColor(tail.Width() - 3, middle));

    form.DrawPercent(2);
    EXPECT_EQ(form.ProgressBar->Width(), 0);
}

class ProgressRun : public testing::Test {
protected:
    int Run(int steps, unsigned totalMs, std::function<void(int)> extra = {})
    {
        TProgressDialog& form = *TheForms().progress;
        form.SetSteps(steps);
        form.SetTotalMs(totalMs);
        form.SetStepCallback([this, &form, extra](int step) {
            steps_.push_back(step);
            widths_.push_back(form.ProgressBar->Width());
            if (extra)
                extra(step);
        });
        const int result = form.ShowModal();
        form.SetStepCallback({});
        return result;
    }
    std::vector<int> steps_;
    std::vector<int> widths_;
};

TEST_F(ProgressRun, EveryStepRunsInOrderAndTheTickAfterTheLastClosesWithOk)
{
    const DWORD start = GetTickCount();
    EXPECT_EQ(Run(8, 8 * 30), 1);
    const DWORD elapsed = GetTickCount() - start;
    EXPECT_EQ(steps_, (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8}));
    EXPECT_EQ(TheForms().progress->Timer->Interval(), 30u);
    // Nine ticks of 30 ms: timers may be late, never much early.
    EXPECT_GE(elapsed, 9u * 30 - 30);
    EXPECT_FALSE(TheForms().progress->Visible());
    // The bar shows the percentage reached before each step: 1/8 is 12 %.
    EXPECT_EQ(widths_[0], 0);
    EXPECT_EQ(widths_[1], 12 * kProgressBarWidth / 100);
    EXPECT_EQ(TheForms().progress->ProgressBar->Width(), kProgressBarWidth);
}

TEST_F(ProgressRun, CancelAndTheCloseButtonEndTheRunWithCancelAndNoFurtherSteps)
{
    EXPECT_EQ(Run(50, 50 * 20, [](int step) {
                  if (step == 3)
                      TheForms().progress->CancelButton->Click();
              }),
              2);
    EXPECT_EQ(steps_, (std::vector<int>{1, 2, 3}));
    PumpFor(100);
    EXPECT_EQ(steps_.size(), 3u) << "a step ran after the form closed";

    steps_.clear();
    EXPECT_EQ(Run(50, 50 * 20, [](int step) {
                  if (step == 2)
                      Later([] { TheForms().progress->CloseButton->Click(); });
              }),
              2);
    EXPECT_LE(steps_.size(), 4u);
    EXPECT_FALSE(TheForms().progress->Timer->Enabled());
}

// The dialog waits hidden from start-up: its caption comes when it opens.
TEST_F(ProgressRun, CancelCaptionIsTheLanguagesWhenTheDialogOpens)
{
    TheForms().progress->CancelButton->SetCaption("");
    EXPECT_EQ(Run(1, 30), 1);
    EXPECT_EQ(TheForms().progress->CancelButton->Caption(), kelp::Translate("Cancel"));
}

TEST_F(ProgressRun, ARunWithoutStepsEndsAtOnceWithOk)
{
    EXPECT_EQ(Run(0, 1000), 1);
    EXPECT_EQ(Run(-3, 1000), 1);
    EXPECT_TRUE(steps_.empty());
}

} // namespace
