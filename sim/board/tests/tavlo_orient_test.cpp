#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "TAVLO.h"
#include "tavlo_sim.h"

namespace {

using tavlo_sim::EdgePoints;

// One edge's rows as a program builds them: a row-pointer array and two float rows on the heap.
class HeapMatrix {
  public:
    explicit HeapMatrix(const EdgePoints& points)
        : xs_(std::make_unique<float[]>(points.x.size())),
          ys_(std::make_unique<float[]>(points.y.size())),
          rows_(std::make_unique<float*[]>(2)) {
        std::copy(points.x.begin(), points.x.end(), xs_.get());
        std::copy(points.y.begin(), points.y.end(), ys_.get());
        rows_[0] = xs_.get();
        rows_[1] = ys_.get();
        matrix_ = {rows_.get(), 2, static_cast<int>(points.x.size())};
    }
    const TAVLOPointMatrix& matrix() const { return matrix_; }

  private:
    std::unique_ptr<float[]> xs_;
    std::unique_ptr<float[]> ys_;
    std::unique_ptr<float*[]> rows_;
    TAVLOPointMatrix matrix_;
};

class TavloOrient : public ::testing::Test {
  protected:
    void SetUp() override { tavlo_sim::Reset(3); }
    void TearDown() override { tavlo_sim::Reset(); }

    CTAVLO2 sdk{false};
    CTAVLO2BoardSettings settings{nullptr};
};

TEST_F(TavloOrient, PointsAreCopiedDuringTheCallAndOutliveTheCallersBuffers) {
    const EdgePoints top{{4000, 2000.5f}, {3, 4}};
    const EdgePoints left{{12, 14, 15}, {0, 300, 600}};
    const EdgePoints bottom{{1}, {4090}};
    const EdgePoints right{{4090, 4091}, {4000, 10}};
    {
        auto top_rows = std::make_unique<HeapMatrix>(top);
        auto bottom_rows = std::make_unique<HeapMatrix>(bottom);
        auto left_rows = std::make_unique<HeapMatrix>(left);
        auto right_rows = std::make_unique<HeapMatrix>(right);
        CEdgeOrientPoints record;
        record.m_top = top_rows->matrix();
        record.m_bottom = bottom_rows->matrix();
        record.m_left = left_rows->matrix();
        record.m_right = right_rows->matrix();
        settings.TAVLOSetEdgeOrientPoints(2, record);
        // The caller frees its rows right after the call, before the record goes.
        top_rows.reset();
        bottom_rows.reset();
        left_rows.reset();
        right_rows.reset();
    }
    const auto received = tavlo_sim::LastOrientPoints(2);
    ASSERT_TRUE(received.has_value());
    EXPECT_EQ(received->top, top);
    EXPECT_EQ(received->bottom, bottom);
    EXPECT_EQ(received->left, left);
    EXPECT_EQ(received->right, right);
    EXPECT_FALSE(tavlo_sim::LastOrientPoints(1).has_value());
}

TEST_F(TavloOrient, TheRecordNeverFreesTheCallersRows) {
    // Rows on the stack: any attempt to free them fails loudly under ASan.
    float xs[2] = {1, 2};
    float ys[2] = {3, 4};
    float* rows[2] = {xs, ys};
    {
        CEdgeOrientPoints record;
        record.m_left = {rows, 2, 2};
        settings.TAVLOSetEdgeOrientPoints(1, record);
    }
    EXPECT_EQ(rows[0], xs);
    EXPECT_EQ(tavlo_sim::LastOrientPoints(1)->left, (EdgePoints{{1, 2}, {3, 4}}));
}

TEST_F(TavloOrient, MatricesWithoutPointsOrWithBadShapesAreReceivedAsEmptyEdges) {
    float xs[1] = {7};
    float* oneRow[1] = {xs};
    float* missingRow[2] = {xs, nullptr};
    CEdgeOrientPoints record;
    record.m_top = {nullptr, 2, 0};       // an edge nobody traced
    record.m_bottom = {nullptr, 2, 5};    // no rows at all
    record.m_left = {oneRow, 1, 1};       // a single row
    record.m_right = {missingRow, 2, 1};  // a row pointer missing
    settings.TAVLOSetEdgeOrientPoints(3, record);
    const auto received = tavlo_sim::LastOrientPoints(3);
    ASSERT_TRUE(received.has_value());
    EXPECT_EQ(*received, tavlo_sim::OrientPoints{});

    CEdgeOrientPoints negative;
    negative.m_top = {missingRow, 2, -4};
    settings.TAVLOSetEdgeOrientPoints(1, negative);
    EXPECT_EQ(tavlo_sim::LastOrientPoints(1)->top, EdgePoints{});
}

TEST_F(TavloOrient, TheLastHandOverReplacesTheEarlierOne) {
    float xs[2] = {1, 2};
    float ys[2] = {3, 4};
    float* rows[2] = {xs, ys};
    CEdgeOrientPoints first;
    first.m_top = {rows, 2, 2};
    first.m_right = {rows, 2, 1};
    settings.TAVLOSetEdgeOrientPoints(1, first);
    CEdgeOrientPoints second;
    second.m_bottom = {rows, 2, 1};
    settings.TAVLOSetEdgeOrientPoints(1, second);
    EXPECT_EQ(*tavlo_sim::LastOrientPoints(1), (tavlo_sim::OrientPoints{{}, {{1}, {3}}, {}, {}}));
}

TEST_F(TavloOrient, EachHandOverIsJournaledWithItsPointCounts) {
    std::vector<std::string> journal;
    tavlo_sim::SetJournalSink([&](std::string_view line) { journal.emplace_back(line); });
    float xs[3] = {1, 2, 3};
    float* rows[2] = {xs, xs};
    CEdgeOrientPoints record;
    record.m_top = {rows, 2, 3};
    record.m_bottom = {rows, 2, 1};
    record.m_left = {nullptr, 2, 0};
    record.m_right = {rows, 2, 2};
    settings.TAVLOSetEdgeOrientPoints(2, record);
    settings.TAVLOSetEdgeOrientPoints(0, record);
    EXPECT_EQ(journal,
              (std::vector<std::string>{"tavlo orient board=2 top=3 bottom=1 left=0 right=2",
                                        "tavlo orient board=0 top=3 bottom=1 left=0 right=2"}));
}

}  // namespace
