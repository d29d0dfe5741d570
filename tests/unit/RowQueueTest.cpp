#include <gtest/gtest.h>

#include "scan/RowQueue.h"
#include "support/Concurrently.h"

namespace {

ListRow Row(unsigned n)
{
    return {n, "C:\\f" + std::to_string(n)};
}

}  // namespace

TEST(RowQueue, WakesOnceUntilTheConsumerHasTakenEverything)
{
    int wakes = 0;
    RowQueue queue([&] { return ++wakes > 0; });
    for (unsigned n = 1; n <= 5; ++n)
        queue.AddRow(Row(n));
    // More rows than one batch: the consumer comes back for the rest unasked.
    RowQueue::Batch batch = queue.Take(3);
    EXPECT_EQ(batch.rows.size(), 3u);
    EXPECT_TRUE(batch.more);
    EXPECT_FALSE(batch.finished);
    queue.AddRow(Row(6));
    batch = queue.Take(3);
    ASSERT_EQ(batch.rows.size(), 3u);
    EXPECT_EQ(batch.rows[2].number, 6u);
    EXPECT_FALSE(batch.more);
    EXPECT_EQ(wakes, 1);
    // Drained: the next row wakes the consumer again.
    queue.AddRow(Row(7));
    EXPECT_EQ(wakes, 2);
}

TEST(RowQueue, ReportsTheEndOnceEvenWithNoRows)
{
    for (const unsigned rows : {0u, 1u}) {
        int wakes = 0;
        RowQueue queue([&] { return ++wakes > 0; });
        if (rows)
            queue.AddRow(Row(1));
        queue.Finish();
        EXPECT_EQ(wakes, 1) << rows << " rows";
        const RowQueue::Batch batch = queue.Take(10);
        EXPECT_EQ(batch.rows.size(), rows);
        EXPECT_TRUE(batch.finished) << rows << " rows";
        EXPECT_FALSE(queue.Take(10).finished) << rows << " rows";
    }
}

TEST(RowQueue, AFailedWakeUpIsTriedAgainByTheNextRowAndByTheEnd)
{
    int tries = 0;
    bool posts = false;
    RowQueue queue([&] {
        ++tries;
        return posts;
    });
    queue.AddRow(Row(1));
    queue.AddRow(Row(2));
    EXPECT_EQ(tries, 2);
    EXPECT_FALSE(queue.Finish());
    posts = true;
    EXPECT_TRUE(queue.Finish());
    EXPECT_EQ(tries, 4);
    const RowQueue::Batch batch = queue.Take(10);
    EXPECT_EQ(batch.rows.size(), 2u);
    EXPECT_TRUE(batch.finished);
}

TEST(RowQueue, KeepsEveryRowInOrderAcrossThreads)
{
    RowQueue queue([] { return true; });
    constexpr unsigned kRows = 30001;
    std::vector<ListRow> received;
    {
        Concurrently producer([&] {
            for (unsigned n = 1; n <= kRows; ++n)
                queue.AddRow(Row(n));
            queue.Finish();
        });
        for (bool finished = false; !finished;) {
            RowQueue::Batch batch = queue.Take(1000);
            for (ListRow& row : batch.rows)
                received.push_back(std::move(row));
            finished = batch.finished;
        }
    }
    ASSERT_EQ(received.size(), kRows);
    for (unsigned n = 1; n <= kRows; ++n)
        ASSERT_EQ(received[n - 1].number, n);
}

TEST(RowQueue, AtTheLimitTheWalkGoesOnStopsOrWaitsForTheConsumersWord)
{
    for (const auto atLimit : {RowQueue::AtLimit::GoOn, RowQueue::AtLimit::Stop}) {
        RowQueue queue([] { return true; }, atLimit);
        EXPECT_EQ(queue.GoOnPastLimit(), atLimit == RowQueue::AtLimit::GoOn);
        EXPECT_FALSE(queue.Take(10).waitingAtLimit);
    }
    for (const bool goOn : {true, false}) {
        int wakes = 0;
        RowQueue queue([&] { return ++wakes > 0; }, RowQueue::AtLimit::Wait);
        bool wentOn = !goOn;
        {
            Concurrently walk([&] {
                queue.AddRow(Row(1));
                wentOn = queue.GoOnPastLimit();
            });
            // The wait is said once, after the rows before it.
            RowQueue::Batch batch;
            std::size_t rows = 0;
            do {
                batch = queue.Take(10);
                rows += batch.rows.size();
            } while (!batch.waitingAtLimit);
            EXPECT_EQ(rows, 1u);
            EXPECT_FALSE(queue.Take(10).waitingAtLimit);
            EXPECT_GE(wakes, 1);
            if (goOn)
                queue.GoOn();
            else
                queue.RequestStop();
        }
        EXPECT_EQ(wentOn, goOn);
    }
}
