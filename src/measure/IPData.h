#pragma once

#include "measure/TrafficEngine.h"
#include "measure/clsInterface.h"
#include "platform/Clock.h"
#include "platform/NetworkTables.h"

#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace tw {

// Turns the interface table's cumulative byte counters into the bytes received and sent since the previous update,
// counted only on the monitored connections ("All connections": the links of the machine's edge, see EdgeLinks.h).
// Each (entry, row) pair keeps its own baseline; a row is counted at most once per update however many entries
// match it, and a counter that goes backwards counts nothing for that row in that update. Where the tables tell
// the lives of a link apart, a link deleted and recreated between two updates is counted from zero in its new life,
// and the last bytes of its old life are counted when the tables kept its final counters.
class IPData final : public TrafficEngine {
public:
    // The tables (and the clock) are not owned and must outlive the engine. Without an interface table the engine
    // tells the user and stays inert: updates do nothing, getters give 0, lists are empty.
    explicit IPData(NetworkTables& tables);
    IPData(NetworkTables& tables, const Clock& clock);

    void updateStatistics() override;
    std::uint64_t getBytesRecieved() override;
    std::uint64_t getBytesSent() override;
    void pause() override {}
    void continue_() override;
    void stopIt() override;
    std::string getAdaptor() const override;

    void clearAdaptors() { m_entries.clear(); }
    void addAllAdaptors();
    void addGenericAdapter();
    void addAdaptor(int kind, std::string name);

    static constexpr int kListAddresses = 0;
    static constexpr int kListDescriptions = 1;
    // One text per interface row in table order: kind 0 the row's address (empty when it has none), kind 1 its
    // description. Empty when inert or when the table cannot be read.
    std::vector<std::string> getList(int kind);
    // The descriptions of the links "All connections" counts, from the table read now, in table order.
    std::vector<std::string> countedLinks();
    // The descriptions of the links the monitored connections match now, in table order: the links counted for
    // "All connections", else the listed interfaces and those holding a listed address. Empty when inert or when the
    // table cannot be read.
    std::vector<std::string> monitoredLinks();

    bool isInert() const { return m_inert; }
    const std::vector<clsInterface>& adaptors() const { return m_entries; }

private:
    // The row's first IPv4 address in dotted-decimal form, empty when it has none.
    struct AddressText {
        std::array<char, 16> text{};
        std::uint8_t length = 0;
        bool isNone() const { return length == 0; }
        std::string_view view() const { return {text.data(), length}; }
    };

    void checkTables();
    bool readRowAddresses();
    bool matches(const clsInterface& entry, std::size_t row) const;
    void countEndedLives();
    void count(std::span<clsInterface> entries);
    void addSince(const RowBaseline& before, std::uint64_t in, std::uint64_t out, std::uint64_t speed);
    std::uint64_t delta(std::uint64_t now, std::uint64_t before, std::uint64_t elapsedMs, std::uint64_t speed) const;

    NetworkTables& m_tables;
    std::unique_ptr<Clock> m_ownClock;
    const Clock& m_clock;
    bool m_inert = false;
    std::vector<clsInterface> m_entries;
    std::uint64_t m_tickReceived = 0;
    std::uint64_t m_tickSent = 0;
    std::uint64_t m_update = 0;
    std::uint64_t m_nowMs = 0;
    // The tables' lifeCount() at the previous update: a row of a higher life began after it.
    std::uint64_t m_lifeWatermark = 0;
    // The newest ended life already looked at, so that an unchanged history costs nothing.
    std::uint64_t m_lastEndedLife = 0;

    // Read buffers, kept between updates.
    std::vector<InterfaceRow> m_rows;
    std::vector<AddressRow> m_addresses;
    std::vector<AddressText> m_rowAddresses;
    std::vector<char> m_matched;
    std::vector<char> m_seen;    // per entry: matched some row in this update
    std::vector<char> m_counted; // all-connections mode: the rows counted in this update
};

} // namespace tw
