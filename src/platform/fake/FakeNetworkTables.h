#pragma once

#include "platform/NetworkTables.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace tw {

// Scripted interface and address tables for tests: rows and counters are set by hand, reads can be made to fail,
// and a 32-bit mode wraps every counter modulo 2^32 as an older system's table would. Told to, it tells link lives
// apart as a source following the system's link events does: every added interface is a new life, and a removed
// one leaves its final counters behind.
class FakeNetworkTables final : public NetworkTables {
public:
    bool available() const override { return m_available; }

    bool readInterfaces(std::vector<InterfaceRow>& rows) override {
        ++interfaceReads;
        if (m_failInterfaces) {
            return false;
        }
        rows = m_rows;
        if (m_counterBits == 32) {
            for (InterfaceRow& r : rows) {
                r.inOctets &= 0xFFFFFFFFu;
                r.outOctets &= 0xFFFFFFFFu;
            }
        }
        return true;
    }

    bool readAddresses(std::vector<AddressRow>& rows) override {
        ++addressReads;
        if (m_failAddresses) {
            return false;
        }
        rows = m_addresses;
        return true;
    }

    int counterBits() const override { return m_counterBits; }
    std::uint64_t lifeCount() const override { return m_tellLives ? m_lives : 0; }
    const std::vector<EndedLink>& endedLinks() const override { return m_ended; }

    // Scripting.
    void tellLives(bool tell) { m_tellLives = tell; }
    void setAvailable(bool available) { m_available = available; }
    void setCounterBits(int bits) { m_counterBits = bits; }
    void failInterfaceReads(bool fail) { m_failInterfaces = fail; }
    void failAddressReads(bool fail) { m_failAddresses = fail; }

    InterfaceRow& addInterface(std::uint32_t index, const std::string& description,
                               std::uint32_t type = kIfTypeEthernet) {
        InterfaceRow row;
        row.index = index;
        row.description = description;
        row.type = type;
        row.adminStatus = kAdminStatusUp;
        row.operStatus = kOperStatusOperational;
        row.life = m_tellLives ? ++m_lives : 0;
        m_rows.push_back(row);
        return m_rows.back();
    }
    // The interface goes away; with lives told, its last counters stay behind unless `withCounters` is false.
    void removeInterface(std::uint32_t index, bool withCounters = true) {
        endLife(index, withCounters);
        std::erase_if(m_rows, [index](const InterfaceRow& r) { return r.index == index; });
        std::erase_if(m_addresses, [index](const AddressRow& a) { return a.ifIndex == index; });
    }
    // Deleted and created again with the same index, name and kind, its counters starting at 0.
    void recreateInterface(std::uint32_t index, bool withCounters = true) {
        endLife(index, withCounters);
        InterfaceRow& r = row(index);
        r.inOctets = 0;
        r.outOctets = 0;
        r.life = m_tellLives ? ++m_lives : 0;
    }
    InterfaceRow& row(std::uint32_t index) {
        return *std::find_if(m_rows.begin(), m_rows.end(), [index](const InterfaceRow& r) { return r.index == index; });
    }
    void setCounters(std::uint32_t index, std::uint64_t in, std::uint64_t out) {
        row(index).inOctets = in;
        row(index).outOctets = out;
    }
    void addTraffic(std::uint32_t index, std::uint64_t in, std::uint64_t out) {
        row(index).inOctets += in;
        row(index).outOctets += out;
    }

    // Dotted-decimal address; an interface may get several, the first added is its primary one.
    void addAddress(std::uint32_t index, const std::string& dotted, const std::string& mask = "255.255.255.0") {
        AddressRow a;
        a.address = networkOrder(dotted);
        a.mask = networkOrder(mask);
        a.ifIndex = index;
        m_addresses.push_back(a);
    }
    void clearAddresses(std::uint32_t index) {
        std::erase_if(m_addresses, [index](const AddressRow& a) { return a.ifIndex == index; });
    }

    int interfaceReads = 0;
    int addressReads = 0;

private:
    void endLife(std::uint32_t index, bool withCounters) {
        if (m_tellLives) {
            const InterfaceRow& gone = row(index);
            m_ended.push_back(EndedLink{index, gone.life, withCounters, withCounters ? gone.inOctets : 0,
                                        withCounters ? gone.outOctets : 0});
        }
    }

    // The four bytes in text order, as they lie in memory in network byte order.
    static std::uint32_t networkOrder(const std::string& dotted) {
        unsigned b[4] = {};
        std::sscanf(dotted.c_str(), "%u.%u.%u.%u", &b[0], &b[1], &b[2], &b[3]);
        const unsigned char bytes[4] = {static_cast<unsigned char>(b[0]), static_cast<unsigned char>(b[1]),
                                        static_cast<unsigned char>(b[2]), static_cast<unsigned char>(b[3])};
        std::uint32_t value = 0;
        std::memcpy(&value, bytes, sizeof(value));
        return value;
    }

    std::vector<InterfaceRow> m_rows;
    std::vector<AddressRow> m_addresses;
    bool m_available = true;
    bool m_failInterfaces = false;
    bool m_failAddresses = false;
    int m_counterBits = 64;
    bool m_tellLives = false;
    std::uint64_t m_lives = 0;
    std::vector<EndedLink> m_ended;
};

} // namespace tw
