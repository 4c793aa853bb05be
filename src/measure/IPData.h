#pragma once

#include "measure/TrafficEngine.h"
#include "measure/clsInterface.h"
#include "platform/NetworkTables.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace tw {

// Turns the interface table's cumulative byte counters into the bytes received and sent since the previous update,
// counted only on the monitored connections. Each (entry, row) pair keeps its own baseline; a row is counted at
// most once per update however many entries match it, and a counter that goes backwards counts nothing for that
// row in that update.
class IPData final : public TrafficEngine {
public:
    // The tables are not owned and must outlive the engine. Without an interface table the engine tells the user
    // and stays inert: updates do nothing, getters give 0, lists are empty.
    explicit IPData(NetworkTables& tables);

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

    bool readRowAddresses();
    bool matches(const clsInterface& entry, std::size_t row) const;
    void countPerEntry();
    void countAllConnections();
    std::uint64_t delta(std::uint64_t now, std::uint64_t before) const;

    NetworkTables& m_tables;
    bool m_inert = false;
    std::vector<clsInterface> m_entries;
    std::uint64_t m_tickReceived = 0;
    std::uint64_t m_tickSent = 0;
    std::uint64_t m_update = 0;

    // Read buffers, kept between updates.
    std::vector<InterfaceRow> m_rows;
    std::vector<AddressRow> m_addresses;
    std::vector<AddressText> m_rowAddresses;
    std::vector<char> m_matched;
};

} // namespace tw
