#include "tracing/ChainColumns.h"
#include "tracing/ContourChain.h"

#include <gtest/gtest.h>

namespace {
std::vector<TracePoint> Vertices(const CContourChain& chain)
{
    return {chain.begin(), chain.end()};
}
}  // namespace

TEST(ContourChain, StraightRunsMoveTheEndAndCornersAddVertices)
{
    CContourChain chain;
    chain.Start({2, 1}, {1, 1});
    chain.ExtendTail({1, 2});  // corner
    chain.ExtendTail({1, 3});  // straight on: the tail moves
    chain.ExtendHead({3, 1});  // straight on at the head
    chain.ExtendHead({3, 2});  // corner at the head
    EXPECT_EQ(Vertices(chain),
              (std::vector<TracePoint>{{3, 2}, {3, 1}, {1, 1}, {1, 3}}));
    EXPECT_EQ(chain.NextToHead(), (TracePoint{3, 1}));
    EXPECT_EQ(chain.NextToTail(), (TracePoint{1, 1}));
    EXPECT_FALSE(chain.IsClosed());
    chain.ExtendTail({3, 3});
    chain.ExtendTail({3, 2});
    EXPECT_TRUE(chain.IsClosed());
}

TEST(ContourChain, GrowsLongAtBothEndsAndRestartsClean)
{
    CContourChain chain;
    chain.Start({0, 0}, {1, 0});
    // A staircase at both ends: every step is a corner.
    for (int i = 1; i <= 500; ++i) {
        chain.ExtendTail({i, i});
        chain.ExtendTail({i + 1, i});
        chain.ExtendHead({-i + 1, -i});
        chain.ExtendHead({-i, -i});
    }
    ASSERT_EQ(chain.GetCount(), 2002u);
    EXPECT_EQ(chain.Head(), (TracePoint{-500, -500}));
    EXPECT_EQ(chain.Tail(), (TracePoint{501, 500}));
    for (std::size_t i = 1; i < chain.GetCount(); ++i) {
        const TracePoint a = chain[i - 1], b = chain[i];
        EXPECT_EQ(std::abs(a.x - b.x) + std::abs(a.y - b.y), 1) << i;
    }
    chain.Start({7, 7}, {7, 8});
    EXPECT_EQ(Vertices(chain), (std::vector<TracePoint>{{7, 7}, {7, 8}}));
}

TEST(ChainColumns, RegistersOnceAtTheFrontOrInTheFirstHole)
{
    CChainColumns columns;
    columns.Reset(3);
    columns.Register(1, 10);
    columns.Register(1, 11);
    columns.Register(1, 12);
    columns.Register(1, 11);  // already listed
    EXPECT_EQ(columns.Entries(1), (std::vector<int>{12, 11, 10}));
    columns.Clear(1, 11);
    columns.Clear(1, 12);
    EXPECT_EQ(columns.Entries(1), (std::vector<int>{10}));
    columns.Register(1, 13);  // takes the first hole, where 12 was
    columns.Register(1, 14);  // the next hole, where 11 was
    columns.Register(1, 15);  // no hole left: the front
    EXPECT_EQ(columns.Entries(1), (std::vector<int>{15, 13, 14, 10}));
    EXPECT_TRUE(columns.Entries(0).empty());
}

TEST(ChainColumns, FindsTheFirstMatchInListOrder)
{
    CChainColumns columns;
    columns.Reset(2);
    for (int chain : {1, 2, 3, 4}) {
        columns.Register(0, chain);
    }
    columns.Clear(0, 3);
    const auto even = [](int chain) { return chain % 2 == 0; };
    const auto odd = [](int chain) { return chain % 2 == 1; };
    EXPECT_EQ(columns.Find(0, even), 4);
    EXPECT_EQ(columns.Find(0, odd), 1);  // 3 is cleared
    EXPECT_EQ(columns.Find(1, odd), CChainColumns::kCleared);
    columns.Reset(2);
    EXPECT_TRUE(columns.Entries(0).empty());
}

namespace {
// A staircase of `steps` corners starting at `from`, going right and down.
CContourChain Staircase(TracePoint from, int steps, TracePoint lead)
{
    CContourChain chain;
    chain.Start(lead, from);
    TracePoint p = from;
    for (int i = 0; i < steps; ++i) {
        p = i % 2 == 0 ? TracePoint{p.x + 1, p.y} : TracePoint{p.x, p.y + 1};
        chain.ExtendTail(p);
    }
    return chain;
}
}  // namespace

TEST(ContourChain, JoiningMatchesExtendingVertexByVertex)
{
    // Short and long chains on either side, meeting at a corner or on a
    // straight run (where the meeting vertex disappears).
    for (int mine : {1, 4, 40}) {
        for (int theirs : {1, 4, 40}) {
            for (bool straight : {false, true}) {
                CContourChain k = Staircase({0, 1}, mine, {0, 0});
                const TracePoint p = k.Tail();
                // k's last step is horizontal when `mine` is odd.
                const bool lastHorizontal = mine % 2 == 1;
                const TracePoint lead = straight == lastHorizontal
                                            ? TracePoint{p.x + 1, p.y}
                                            : TracePoint{p.x, p.y + 1};
                CContourChain d = Staircase(lead, theirs, p);
                ASSERT_EQ(d.Head(), p);

                CContourChain expected = k;
                for (std::size_t i = 1; i < d.GetCount(); ++i) {
                    expected.ExtendTail(d[i]);
                }
                CContourChain joined = k;
                CContourChain donor = d;
                joined.AppendChain(donor);
                EXPECT_EQ(Vertices(joined), Vertices(expected))
                    << mine << " " << theirs << " " << straight;
                EXPECT_EQ(donor.GetCount(), 0u);

                // The same join seen from d: k is prepended to d's head.
                CContourChain expectedHead = d;
                for (std::size_t i = k.GetCount() - 1; i-- > 0;) {
                    expectedHead.ExtendHead(k[i]);
                }
                CContourChain front = d;
                CContourChain donorK = k;
                front.PrependChain(donorK);
                EXPECT_EQ(Vertices(front), Vertices(expectedHead))
                    << mine << " " << theirs << " " << straight;
                EXPECT_EQ(donorK.GetCount(), 0u);
            }
        }
    }
}
