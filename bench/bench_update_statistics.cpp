// Cost of one monitor tick of the traffic engine, against the raw table reads it is built on.
#include "config/MonitoredConnection.h"
#include "measure/IPData.h"
#include "platform/NetworkTables.h"
#include "platform/fake/FakeNetworkTables.h"

#include <benchmark/benchmark.h>

#include <string>

using namespace tw;

namespace {

void tick(IPData& engine) {
    engine.updateStatistics();
    benchmark::DoNotOptimize(engine.getBytesRecieved());
    benchmark::DoNotOptimize(engine.getBytesSent());
}

// The system's tables, read alone: the interface table, and both tables as an update with addresses needs them.
void BM_RawInterfaceRead(benchmark::State& state) {
    auto tables = makeSystemNetworkTables();
    std::vector<InterfaceRow> rows;
    for (auto _ : state) {
        benchmark::DoNotOptimize(tables->readInterfaces(rows));
    }
    state.counters["rows"] = static_cast<double>(rows.size());
}
BENCHMARK(BM_RawInterfaceRead);

void BM_RawInterfaceAndAddressRead(benchmark::State& state) {
    auto tables = makeSystemNetworkTables();
    std::vector<InterfaceRow> rows;
    std::vector<AddressRow> addresses;
    for (auto _ : state) {
        benchmark::DoNotOptimize(tables->readInterfaces(rows));
        benchmark::DoNotOptimize(tables->readAddresses(addresses));
    }
}
BENCHMARK(BM_RawInterfaceAndAddressRead);

// Per-entry mode with interface entries only: one interface-table read per update.
void BM_UpdateStatistics_Linux_PerEntryInterfaces(benchmark::State& state) {
    auto tables = makeSystemNetworkTables();
    IPData engine(*tables);
    engine.addAdaptor(kKindInterface, "lo");
    engine.addAdaptor(kKindInterface, "eth0");
    for (auto _ : state) {
        tick(engine);
    }
}
BENCHMARK(BM_UpdateStatistics_Linux_PerEntryInterfaces);

// Per-entry mode with address entries: both tables per update.
void BM_UpdateStatistics_Linux_PerEntryAddresses(benchmark::State& state) {
    auto tables = makeSystemNetworkTables();
    IPData engine(*tables);
    engine.addAdaptor(kKindInterface, "eth0");
    engine.addAdaptor(kKindSingleIp, "127.0.0.1");
    engine.addAdaptor(kKindIpRange, "10.*.*.*");
    for (auto _ : state) {
        tick(engine);
    }
}
BENCHMARK(BM_UpdateStatistics_Linux_PerEntryAddresses);

void BM_UpdateStatistics_Linux_AllConnections(benchmark::State& state) {
    auto tables = makeSystemNetworkTables();
    IPData engine(*tables);
    engine.addAllAdaptors();
    for (auto _ : state) {
        tick(engine);
    }
}
BENCHMARK(BM_UpdateStatistics_Linux_AllConnections);

// Eight interfaces with moving counters on the scripted tables: the engine's own work, almost without I/O.
FakeNetworkTables eightInterfaces() {
    FakeNetworkTables tables;
    for (std::uint32_t i = 1; i <= 8; ++i) {
        tables.addInterface(i, "eth" + std::to_string(i));
        tables.addAddress(i, "192.168." + std::to_string(i) + ".10");
    }
    return tables;
}

void BM_RawRead_Fake8(benchmark::State& state) {
    FakeNetworkTables tables = eightInterfaces();
    std::vector<InterfaceRow> rows;
    std::vector<AddressRow> addresses;
    for (auto _ : state) {
        tables.addTraffic(3, 1500, 100);
        benchmark::DoNotOptimize(tables.readInterfaces(rows));
        benchmark::DoNotOptimize(tables.readAddresses(addresses));
    }
}
BENCHMARK(BM_RawRead_Fake8);

void BM_UpdateStatistics_Fake8_AllConnections(benchmark::State& state) {
    FakeNetworkTables tables = eightInterfaces();
    IPData engine(tables);
    engine.addAllAdaptors();
    for (auto _ : state) {
        tables.addTraffic(3, 1500, 100);
        tick(engine);
    }
}
BENCHMARK(BM_UpdateStatistics_Fake8_AllConnections);

void BM_UpdateStatistics_Fake8_PerEntry(benchmark::State& state) {
    FakeNetworkTables tables = eightInterfaces();
    IPData engine(tables);
    engine.addAdaptor(kKindInterface, "eth3");
    engine.addAdaptor(kKindSingleIp, "192.168.5.10");
    engine.addAdaptor(kKindIpRange, "192.168.*.10");
    for (auto _ : state) {
        tables.addTraffic(3, 1500, 100);
        tick(engine);
    }
}
BENCHMARK(BM_UpdateStatistics_Fake8_PerEntry);

// A busy Docker host: two NICs, the bridge and 40 container ports, all counters moving; all connections.
void BM_UpdateStatistics_FakeDockerHost_AllConnections(benchmark::State& state) {
    FakeNetworkTables tables;
    tables.tellLives(true);
    tables.addInterface(1, "lo", kIfTypeLoopback);
    tables.addInterface(2, "eth0");
    tables.addInterface(3, "eth1");
    tables.addInterface(4, "docker0").kind = "bridge";
    for (std::uint32_t i = 5; i < 45; ++i) {
        InterfaceRow& port = tables.addInterface(i, "veth" + std::to_string(i));
        port.kind = "veth";
        port.master = 4;
    }
    IPData engine(tables);
    engine.addAllAdaptors();
    for (auto _ : state) {
        for (std::uint32_t i = 2; i < 45; ++i) {
            tables.addTraffic(i, 1500, 100);
        }
        tick(engine);
    }
}
BENCHMARK(BM_UpdateStatistics_FakeDockerHost_AllConnections);

} // namespace
