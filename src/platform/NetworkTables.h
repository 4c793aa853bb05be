#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace tw {

// Interface type numbers of the MIB (ifType).
inline constexpr std::uint32_t kIfTypeOther = 1;
inline constexpr std::uint32_t kIfTypeEthernet = 6;
inline constexpr std::uint32_t kIfTypeTokenRing = 9;
inline constexpr std::uint32_t kIfTypeFddi = 15;
inline constexpr std::uint32_t kIfTypePpp = 23;
inline constexpr std::uint32_t kIfTypeLoopback = 24;
inline constexpr std::uint32_t kIfTypeSlip = 28;
inline constexpr std::uint32_t kIfTypePropVirtual = 53;
inline constexpr std::uint32_t kIfTypeIeee80211 = 71;
inline constexpr std::uint32_t kIfTypeTunnel = 131;
inline constexpr std::uint32_t kIfTypeWwanPp = 243;
inline constexpr std::uint32_t kIfTypeWwanPp2 = 244;

// Administrative status.
inline constexpr std::uint32_t kAdminStatusUp = 1;
inline constexpr std::uint32_t kAdminStatusDown = 2;
inline constexpr std::uint32_t kAdminStatusTesting = 3;

// Operational status, in the numbering the interface details window shows.
inline constexpr std::uint32_t kOperStatusNonOperational = 0;
inline constexpr std::uint32_t kOperStatusUnreachable = 1;
inline constexpr std::uint32_t kOperStatusDisconnected = 2;
inline constexpr std::uint32_t kOperStatusConnecting = 3;
inline constexpr std::uint32_t kOperStatusConnected = 4;
inline constexpr std::uint32_t kOperStatusOperational = 5;

// One row of the interface table. Counters are cumulative since the interface appeared; a source with 32-bit
// counters (counterBits() == 32) wraps them modulo 2^32.
struct InterfaceRow {
    std::uint32_t index = 0;
    std::string description; // the interface name on Linux
    std::uint32_t type = kIfTypeOther;
    std::uint32_t mtu = 0;
    std::uint64_t speed = 0;     // bit/s, 0 when unknown
    std::string physicalAddress; // raw bytes, empty when the interface has none
    std::uint32_t adminStatus = kAdminStatusDown;
    std::uint32_t operStatus = kOperStatusNonOperational;
    std::uint64_t lastChange = 0; // hundredths of a second since boot when the operational status last changed
    std::uint64_t inOctets = 0;
    std::uint64_t inUcastPkts = 0;
    std::uint64_t inNUcastPkts = 0;
    std::uint64_t inDiscards = 0;
    std::uint64_t inErrors = 0;
    std::uint64_t inUnknownProtos = 0;
    std::uint64_t outOctets = 0;
    std::uint64_t outUcastPkts = 0;
    std::uint64_t outNUcastPkts = 0;
    std::uint64_t outDiscards = 0;
    std::uint64_t outErrors = 0;
    std::uint64_t outQLen = 0;

    // How the link is built, as far as the system says: what counting each byte once needs.
    std::string kind;            // Linux link kind ("bridge", "veth", "tun", "ppp"...); empty for a plain device
    std::uint32_t master = 0;    // index of the link this one is enslaved to (bridge port, bond slave); 0 when none
    std::uint32_t parent = 0;    // index of the link this one is stacked on in this same table; 0 when none
    bool virtualAdapter = false; // the system says it is not a hardware interface

    // One life of the link at this index: a link deleted and recreated with the same index gets a new number.
    // Lives are numbered from 1 in the order the source first sees them; 0 when the source cannot tell them apart.
    std::uint64_t life = 0;
};

// The last counters of a link life that has ended (the link was deleted, or left this network namespace).
struct EndedLink {
    std::uint32_t index = 0;
    std::uint64_t life = 0;
    bool haveCounters = false; // the system gave the counters at the end
    std::uint64_t inOctets = 0;
    std::uint64_t outOctets = 0;
};

// One IPv4 address of an interface. Rows of one interface come primary address first.
struct AddressRow {
    std::uint32_t address = 0; // network byte order
    std::uint32_t ifIndex = 0;
    std::uint32_t mask = 0; // network byte order
};

// The machine's interface and IPv4 address tables. Reads fill the caller's vector, reusing its elements, so a
// caller that keeps its vectors allocates nothing once the tables stop growing. Not thread-safe.
class NetworkTables {
public:
    virtual ~NetworkTables() = default;
    // False when the system offers no interface table at all.
    virtual bool available() const = 0;
    // Rows in interface-index order. False (rows unspecified) when the table cannot be read now.
    virtual bool readInterfaces(std::vector<InterfaceRow>& rows) = 0;
    virtual bool readAddresses(std::vector<AddressRow>& rows) = 0;
    // Width of the byte counters: 64, or 32 for a source whose counters wrap at 2^32.
    virtual int counterBits() const = 0;

    // The highest life number handed out so far (see InterfaceRow::life); 0 for a source without lives. A row read
    // later with a higher life began after that moment, so all its counters are new traffic.
    virtual std::uint64_t lifeCount() const { return 0; }
    // The most recently ended lives, oldest first; a bounded history, so a reader that looks at it once per pass
    // finds the lives that ended since its previous pass.
    virtual const std::vector<EndedLink>& endedLinks() const {
        static const std::vector<EndedLink> none;
        return none;
    }
};

std::unique_ptr<NetworkTables> makeSystemNetworkTables();

} // namespace tw
