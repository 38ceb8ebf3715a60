// Requests computed on several threads and handed on in order.
#include "SweepRunner.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

SweepRow Numbered(std::size_t i)
{
    SweepRow row;
    row.ratio = static_cast<std::int32_t>(i);
    return row;
}

TEST(SweepRunnerTest, RowsArriveInOrderForAnyThreadCount)
{
    const std::atomic<bool> stop{false};
    for (const std::size_t count : {0u, 1u, 255u, 256u, 257u, 5000u}) {
        for (const int jobs : {1, 2, 3, 8}) {
            SCOPED_TRACE(std::to_string(count) + " rows on " + std::to_string(jobs) + " threads");
            std::vector<std::int32_t> seen;
            const std::size_t handed = RunInOrder(
                count, jobs, Numbered,
                [&](const SweepRow* rows, std::size_t n) {
                    for (std::size_t i = 0; i < n; ++i)
                        seen.push_back(rows[i].ratio);
                },
                stop);
            EXPECT_EQ(handed, count);
            ASSERT_EQ(seen.size(), count);
            for (std::size_t i = 0; i < count; ++i)
                ASSERT_EQ(seen[i], static_cast<std::int32_t>(i));
        }
    }
}

// Once stopped, nothing more is handed on, and what was handed on is a
// gapless beginning made of whole rows.
TEST(SweepRunnerTest, StopEndsAfterTheCurrentBlock)
{
    for (const int jobs : {1, 2, 4}) {
        std::atomic<bool> stop{false};
        std::vector<std::int32_t> seen;
        const std::size_t handed = RunInOrder(
            100000, jobs, Numbered,
            [&](const SweepRow* rows, std::size_t n) {
                for (std::size_t i = 0; i < n; ++i)
                    seen.push_back(rows[i].ratio);
                if (seen.size() >= 1000)
                    stop = true;
            },
            stop);
        EXPECT_EQ(handed, seen.size());
        EXPECT_GE(handed, 1000u);
        EXPECT_LT(handed, 100000u);
        for (std::size_t i = 0; i < seen.size(); ++i)
            ASSERT_EQ(seen[i], static_cast<std::int32_t>(i));
    }
}

TEST(SweepRunnerTest, EvaluateRequest)
{
    const SweepRow ok = EvaluateRequest(14.31818, 256, std::nullopt);
    EXPECT_EQ(ok.status, SweepStatus::Success);
    EXPECT_EQ(ok.registers.reg101, 187);
    EXPECT_NEAR(ok.largerErrorPpm, 0.160862, 1e-6);
    EXPECT_EQ(EvaluateRequest(14.31818, 256, 0.2).status, SweepStatus::Success);
    const SweepRow over = EvaluateRequest(14.31818, 256, 0.1);
    EXPECT_EQ(over.status, SweepStatus::MaxPpmExceeded);
    EXPECT_EQ(over.registers.reg101, 187);
    EXPECT_EQ(EvaluateRequest(300, 256, std::nullopt).status, SweepStatus::InputDividerOutOfRange);
    EXPECT_EQ(EvaluateRequest(4, 256, std::nullopt).status, SweepStatus::NoPairFound);
    EXPECT_STREQ(SweepStatusName(SweepStatus::MaxPpmExceeded), "MaxPpmExceeded");
}

} // namespace
