// Running out of memory while the model is allocated. The global allocation
// functions are replaced for this program so that a test can make the next
// allocation fail.

#include "multi/model_data.h"
#include "support/recording_sink.h"
#include "support/stop_message.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <new>

namespace {

// Allocations still allowed before one fails; negative: none fails.
long gAllocationsLeft = -1;

void* Allocate(std::size_t size)
{
    if (gAllocationsLeft == 0) {
        gAllocationsLeft = -1;
        throw std::bad_alloc();
    }
    if (gAllocationsLeft > 0)
        --gAllocationsLeft;
    if (void* p = std::malloc(size == 0 ? 1 : size))
        return p;
    throw std::bad_alloc();
}

}  // namespace

void* operator new(std::size_t size) { return Allocate(size); }
void* operator new[](std::size_t size) { return Allocate(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept
{
    try {
        return Allocate(size);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}
void* operator new[](std::size_t size, const std::nothrow_t& tag) noexcept { return operator new(size, tag); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { std::free(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { std::free(p); }

using namespace multi;

TEST(MultiModelAllocation, NoMemoryForThePopulationsIsAFatalStopThatLeavesTheModelAlone)
{
    RecordingSink sink;
    TMultiModel m;
    TMultiLimits limits;
    limits.MaxPops = 3;
    AllocateModel(m, limits);
    m.Populations[2].Name = "kept";
    m.PopCount = 2;

    TMultiLimits larger;
    larger.MaxPops = 10;
    gAllocationsLeft = 0;  // the population records are the first thing allocated
    EXPECT_EQ(StopMessage([&] { AllocateModel(m, larger); }), "Not enough memory for populations");
    gAllocationsLeft = -1;
    ASSERT_EQ(sink.boxes.size(), 1u);
    EXPECT_NE(sink.boxes[0].text.find("Not enough memory for populations"), std::string::npos);

    EXPECT_EQ(m.MaxPops, 3);
    EXPECT_EQ(m.Populations.Count(), 3);
    EXPECT_EQ(m.Populations[2].Name, "kept");
    EXPECT_EQ(m.PopCount, 2);
    EXPECT_EQ(m.DispersalMatrix.Rows(), 3);
}

TEST(MultiModelAllocation, AFailureAfterTheRecordsLeavesTheModelAloneToo)
{
    TMultiModel m;
    AllocateModel(m, TMultiLimits{});
    m.Info.Title = "kept";
    gAllocationsLeft = 3;  // the records and a few vectors, then out of memory
    EXPECT_THROW(AllocateModel(m, TMultiLimits{}), std::bad_alloc);
    gAllocationsLeft = -1;
    EXPECT_EQ(m.Info.Title, "kept");
    EXPECT_EQ(m.TotalMean.Count(), 50);
}
