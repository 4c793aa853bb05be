// Counts heap allocations in this test program to check that a steady-state monitor tick makes none.
#include "config/MonitoredConnection.h"
#include "measure/IPData.h"
#include "platform/NetworkTables.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

namespace {
std::atomic<long> gAllocations{0};
}

void* operator new(std::size_t size) {
    gAllocations.fetch_add(1, std::memory_order_relaxed);
    if (void* p = std::malloc(size ? size : 1)) {
        return p;
    }
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}

using namespace tw;

namespace {

long allocationsOfTicks(IPData& engine, int ticks) {
    const long before = gAllocations.load();
    for (int i = 0; i < ticks; ++i) {
        engine.updateStatistics();
        engine.getBytesRecieved();
        engine.getBytesSent();
    }
    return gAllocations.load() - before;
}

TEST(IPDataAllocations, ASteadyStateTickOnTheSystemTablesAllocatesNothing) {
    auto tables = makeSystemNetworkTables();
    ASSERT_TRUE(tables->available());

    IPData everything(*tables);
    everything.addAllAdaptors();
    allocationsOfTicks(everything, 3);
    EXPECT_EQ(allocationsOfTicks(everything, 100), 0);

    IPData listed(*tables);
    listed.addAdaptor(kKindInterface, "lo");
    listed.addAdaptor(kKindSingleIp, "127.0.0.1");
    listed.addAdaptor(kKindIpRange, "127.*.*.*");
    allocationsOfTicks(listed, 3);
    EXPECT_EQ(allocationsOfTicks(listed, 100), 0);
}

} // namespace
