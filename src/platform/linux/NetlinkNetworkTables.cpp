#include "platform/NetworkTables.h"
#include "platform/linux/LinkLives.h"
#include "platform/linux/NetlinkLinkEvents.h"
#include "platform/linux/NetlinkSocket.h"

#include <algorithm>
#include <arpa/inet.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <iterator>
#include <linux/if.h>
#include <linux/if_arp.h>
#include <linux/if_link.h>
#include <linux/rtnetlink.h>
#include <mutex>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

namespace tw {

namespace {

std::uint64_t centisecondsSinceBoot() {
    timespec ts{};
    clock_gettime(CLOCK_BOOTTIME, &ts);
    return static_cast<std::uint64_t>(ts.tv_sec) * 100 + static_cast<std::uint64_t>(ts.tv_nsec) / 10'000'000;
}

// Reads a small sysfs attribute of an interface into buf (NUL-terminated); false when it cannot be read.
bool readSysfs(const std::string& name, const char* attribute, char* buf, std::size_t size) {
    char path[128];
    std::snprintf(path, sizeof(path), "/sys/class/net/%s/%s", name.c_str(), attribute);
    const int fd = ::open(path, O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    const ssize_t got = ::read(fd, buf, size - 1);
    ::close(fd);
    if (got <= 0) {
        return false;
    }
    buf[got] = '\0';
    return true;
}

bool sysfsExists(const std::string& name, const char* entry) {
    char path[128];
    std::snprintf(path, sizeof(path), "/sys/class/net/%s/%s", name.c_str(), entry);
    return ::access(path, F_OK) == 0;
}

// Link speed from sysfs in Mbit/s; unknown (no carrier, virtual links report -1 or refuse the read) is 0.
std::uint64_t linkSpeed(const std::string& name) {
    char buf[32];
    if (!readSysfs(name, "speed", buf, sizeof(buf))) {
        return 0;
    }
    char* end = nullptr;
    const long long mbits = std::strtoll(buf, &end, 10);
    return (end != buf && mbits > 0) ? static_cast<std::uint64_t>(mbits) * 1'000'000 : 0;
}

std::uint32_t mibType(unsigned short arphrd, const std::string& name) {
    switch (arphrd) {
    case ARPHRD_ETHER:
        // Wireless adapters look like Ethernet to the stack; sysfs tells them apart.
        return (sysfsExists(name, "wireless") || sysfsExists(name, "phy80211")) ? kIfTypeIeee80211 : kIfTypeEthernet;
    case ARPHRD_LOOPBACK:
        return kIfTypeLoopback;
    case ARPHRD_PPP:
        return kIfTypePpp;
    case ARPHRD_SLIP:
    case ARPHRD_CSLIP:
        return kIfTypeSlip;
    case ARPHRD_IEEE802_TR:
        return kIfTypeTokenRing;
    case ARPHRD_FDDI:
        return kIfTypeFddi;
    case ARPHRD_IEEE80211:
    case ARPHRD_IEEE80211_PRISM:
    case ARPHRD_IEEE80211_RADIOTAP:
        return kIfTypeIeee80211;
    default:
        return kIfTypeOther;
    }
}

std::uint32_t mibOperStatus(unsigned flags, std::uint8_t operstate) {
    if (!(flags & IFF_UP)) {
        return kOperStatusNonOperational;
    }
    switch (operstate) {
    case IF_OPER_UP:
        return kOperStatusOperational;
    case IF_OPER_UNKNOWN:
        // Loopback and many virtual links never report a state; the carrier flag is what they have.
        return (flags & IFF_LOWER_UP) ? kOperStatusOperational : kOperStatusDisconnected;
    case IF_OPER_DORMANT:
        return kOperStatusConnecting;
    case IF_OPER_TESTING:
        return kOperStatusUnreachable;
    case IF_OPER_NOTPRESENT:
        return kOperStatusNonOperational;
    default: // IF_OPER_DOWN, IF_OPER_LOWERLAYERDOWN
        return kOperStatusDisconnected;
    }
}

std::uint32_t prefixMask(unsigned prefixLength) {
    const std::uint32_t host =
        prefixLength == 0 ? 0u : (prefixLength >= 32 ? 0xFFFFFFFFu : ~(0xFFFFFFFFu >> prefixLength));
    return htonl(host);
}

// What a row needs beyond one dump: the speed and wireless check (sysfs reads, repeated only when the link
// changes) and the moment its operational status last changed.
struct LinkMemory {
    std::uint32_t index = 0;
    std::string name;
    std::uint32_t operStatus = 0;
    std::uint32_t type = kIfTypeOther;
    std::uint64_t speed = 0;
    std::uint64_t lastChange = 0;
    bool present = false;
};

// The links of one network namespace as every table object of the process has seen them, so that a table opened
// late (the interface details window) still knows when a link changed while the engine was watching.
struct LinkMemoryTable {
    std::mutex mutex;
    std::vector<LinkMemory> links;
};

std::shared_ptr<LinkMemoryTable> linkMemoryOfThisNamespace() {
    struct stat st {};
    const ino_t ns = ::stat("/proc/thread-self/ns/net", &st) == 0 ? st.st_ino : 0;
    static std::mutex mutex;
    static std::vector<std::pair<ino_t, std::weak_ptr<LinkMemoryTable>>> tables;
    const std::lock_guard lock(mutex);
    std::erase_if(tables, [](const auto& t) { return t.second.expired(); });
    for (const auto& [inode, table] : tables) {
        if (inode == ns) {
            return table.lock();
        }
    }
    auto table = std::make_shared<LinkMemoryTable>();
    tables.emplace_back(ns, table);
    return table;
}

class NetlinkNetworkTables final : public NetworkTables {
public:
    bool available() const override { return m_socket.isOpen(); }
    int counterBits() const override { return 64; }
    std::uint64_t lifeCount() const override { return m_lives.count(); }
    const std::vector<EndedLink>& endedLinks() const override { return m_lives.ended(); }

    bool readInterfaces(std::vector<InterfaceRow>& rows) override {
        // The link events before the dump tell which links were deleted and created again since the last read;
        // those after it tell whether a dumped link was replaced meanwhile, in which case the dump is repeated.
        // A dump interrupted by a table change is repeated too, twice at most, before the caller is told it failed.
        followLinkEvents(nullptr);
        // While no link event comes, only the counters change: they come from the statistics dump, a fraction of
        // the kernel's work of a full one (which fills in every link's IPv6 settings too).
        if (m_rowsCurrent && readCounters()) {
            followLinkEvents(nullptr); // an event since the dump: a counted link may have been replaced meanwhile
            if (m_rowsCurrent) {
                rows = m_rows;
                return true;
            }
        }
        for (int attempt = 0; attempt < 3; ++attempt) {
            if (dumpLinks(rows) && !followLinkEvents(&rows)) {
                m_lives.keepOnly(rows);
                m_rows = rows;
                return true;
            }
        }
        m_rowsCurrent = false;
        return false;
    }

    bool readAddresses(std::vector<AddressRow>& rows) override {
        for (int attempt = 0; attempt < 2; ++attempt) {
            if (dumpAddresses(rows)) {
                return true;
            }
        }
        return false;
    }

private:
    // Follows the queued link events; true when one of them deleted a link of `dumped`.
    bool followLinkEvents(const std::vector<InterfaceRow>* dumped) {
        bool dumpedLinkGone = false;
        if (m_events.takeLost()) {
            m_rowsCurrent = false;
        }
        while (const nlmsghdr* msg = m_events.next()) {
            m_rowsCurrent = false;
            if (msg->nlmsg_len < NLMSG_LENGTH(sizeof(ifinfomsg))) {
                continue;
            }
            const auto* info = static_cast<const ifinfomsg*>(NLMSG_DATA(msg));
            const auto index = static_cast<std::uint32_t>(info->ifi_index);
            if (msg->nlmsg_type != RTM_DELLINK) {
                m_lives.seen(index);
                continue;
            }
            // The kernel's delete message carries the link's last counters.
            const rtnl_link_stats64* last = nullptr;
            int length = static_cast<int>(msg->nlmsg_len - NLMSG_LENGTH(sizeof(ifinfomsg)));
            for (auto* attr = IFLA_RTA(info); RTA_OK(attr, length); attr = RTA_NEXT(attr, length)) {
                if (attr->rta_type == IFLA_STATS64 && RTA_PAYLOAD(attr) >= sizeof(rtnl_link_stats64)) {
                    last = static_cast<const rtnl_link_stats64*>(RTA_DATA(attr));
                }
            }
            rtnl_link_stats64 stats{};
            if (last) {
                std::memcpy(&stats, last, sizeof(stats));
            }
            m_lives.gone(index, last != nullptr, stats.rx_bytes, stats.tx_bytes);
            dumpedLinkGone = dumpedLinkGone || (dumped && std::any_of(dumped->begin(), dumped->end(),
                                                                      [&](const auto& r) { return r.index == index; }));
        }
        if (m_events.takeLost()) {
            m_rowsCurrent = false;
        }
        return dumpedLinkGone;
    }

    // The counters of every link of the last full dump, into m_rows; false when the kernel's table is not exactly
    // those links any more (or has no statistics dump), so that a full dump must be read.
    bool readCounters() {
        if (m_statsFailures >= kStatsFailuresTolerated) {
            return false;
        }
        if_stats_msg header{};
        header.family = AF_UNSPEC;
        header.filter_mask = IFLA_STATS_FILTER_BIT(IFLA_STATS_LINK_64);
        if (!m_socket.requestDump(RTM_GETSTATS, &header, sizeof(header))) {
            ++m_statsFailures;
            return false;
        }
        std::size_t matched = 0;
        bool same = true;
        while (const nlmsghdr* msg = m_socket.next()) {
            if (msg->nlmsg_type != RTM_NEWSTATS || msg->nlmsg_len < NLMSG_LENGTH(sizeof(if_stats_msg))) {
                continue;
            }
            const auto* info = static_cast<const if_stats_msg*>(NLMSG_DATA(msg));
            const auto row = std::lower_bound(m_rows.begin(), m_rows.end(), info->ifindex,
                                              [](const InterfaceRow& r, std::uint32_t i) { return r.index < i; });
            if (row == m_rows.end() || row->index != info->ifindex) {
                same = false; // a link the full dump did not have: read on to the end of this dump
                continue;
            }
            int length = static_cast<int>(msg->nlmsg_len - NLMSG_LENGTH(sizeof(if_stats_msg)));
            auto* attr = reinterpret_cast<const rtattr*>(reinterpret_cast<const char*>(info) +
                                                         NLMSG_ALIGN(sizeof(if_stats_msg)));
            for (; RTA_OK(attr, length); attr = RTA_NEXT(attr, length)) {
                if (attr->rta_type == IFLA_STATS_LINK_64) {
                    rtnl_link_stats64 stats{};
                    std::memcpy(&stats, RTA_DATA(attr), std::min<std::size_t>(RTA_PAYLOAD(attr), sizeof(stats)));
                    applyCounters(*row, stats);
                    ++matched;
                    break;
                }
            }
        }
        if (m_socket.failed()) {
            ++m_statsFailures; // a kernel without the statistics dump fails every time: full dumps only, then
            return false;
        }
        m_statsFailures = 0;
        return same && matched == m_rows.size();
    }

    bool dumpLinks(std::vector<InterfaceRow>& rows) {
        const std::lock_guard lock(m_memory->mutex);
        std::vector<LinkMemory>& links = m_memory->links;
        ifinfomsg header{};
        header.ifi_family = AF_UNSPEC;
        if (!m_socket.requestDump(RTM_GETLINK, &header, sizeof(header))) {
            return false;
        }
        for (LinkMemory& m : links) {
            m.present = false;
        }
        std::size_t count = 0;
        while (const nlmsghdr* msg = m_socket.next()) {
            if (msg->nlmsg_type != RTM_NEWLINK || msg->nlmsg_len < NLMSG_LENGTH(sizeof(ifinfomsg))) {
                continue;
            }
            if (count == rows.size()) {
                rows.emplace_back();
            }
            parseLink(msg, rows[count]);
            ++count;
        }
        if (m_socket.failed()) {
            return false;
        }
        rows.resize(count);
        std::erase_if(links, [](const LinkMemory& m) { return !m.present; });
        if (!std::is_sorted(rows.begin(), rows.end(), byIndex)) {
            std::sort(rows.begin(), rows.end(), byIndex);
        }
        // Without the link events nothing would tell when the rows stop describing the table.
        m_rowsCurrent = m_events.isOpen();
        return true;
    }

    static bool byIndex(const InterfaceRow& a, const InterfaceRow& b) { return a.index < b.index; }

    static std::uint32_t readU32(const char* data, std::size_t size) {
        std::uint32_t value = 0;
        if (size >= sizeof(value)) {
            std::memcpy(&value, data, sizeof(value));
        }
        return value;
    }

    // IFLA_INFO_KIND inside IFLA_LINKINFO; empty when the link has none.
    static std::string_view linkKind(const rtattr* linkInfo) {
        int length = static_cast<int>(RTA_PAYLOAD(linkInfo));
        for (auto* attr = static_cast<const rtattr*>(RTA_DATA(linkInfo)); RTA_OK(attr, length);
             attr = RTA_NEXT(attr, length)) {
            if (attr->rta_type == IFLA_INFO_KIND) {
                const auto* text = static_cast<const char*>(RTA_DATA(attr));
                return {text, strnlen(text, RTA_PAYLOAD(attr))};
            }
        }
        return {};
    }

    void parseLink(const nlmsghdr* msg, InterfaceRow& row) {
        const auto* info = static_cast<const ifinfomsg*>(NLMSG_DATA(msg));
        row.index = static_cast<std::uint32_t>(info->ifi_index);
        row.description.clear();
        row.physicalAddress.clear();
        row.mtu = 0;
        row.adminStatus = (info->ifi_flags & IFF_UP) ? kAdminStatusUp : kAdminStatusDown;
        row.kind.clear();
        row.master = 0;
        row.parent = 0;
        row.virtualAdapter = false;
        bool parentElsewhere = false;
        std::uint8_t operstate = IF_OPER_UNKNOWN;
        rtnl_link_stats64 stats{};

        int length = static_cast<int>(msg->nlmsg_len - NLMSG_LENGTH(sizeof(ifinfomsg)));
        for (auto* attr = IFLA_RTA(info); RTA_OK(attr, length); attr = RTA_NEXT(attr, length)) {
            const auto* data = static_cast<const char*>(RTA_DATA(attr));
            const std::size_t size = RTA_PAYLOAD(attr);
            switch (attr->rta_type) {
            case IFLA_IFNAME:
                row.description.assign(data, strnlen(data, size));
                break;
            case IFLA_MTU:
                if (size >= sizeof(std::uint32_t)) {
                    std::memcpy(&row.mtu, data, sizeof(std::uint32_t));
                }
                break;
            case IFLA_ADDRESS:
                row.physicalAddress.assign(data, size);
                break;
            case IFLA_OPERSTATE:
                if (size >= 1) {
                    operstate = static_cast<std::uint8_t>(data[0]);
                }
                break;
            case IFLA_STATS64:
                // Older kernels send a shorter structure; the missing tail stays 0.
                std::memcpy(&stats, data, std::min(size, sizeof(stats)));
                break;
            case IFLA_MASTER:
                row.master = readU32(data, size);
                break;
            case IFLA_LINK:
                row.parent = readU32(data, size);
                break;
            case IFLA_LINK_NETNSID:
                parentElsewhere = true; // the parent's index is one of another namespace
                break;
            case IFLA_LINKINFO:
                row.kind = linkKind(attr);
                break;
            default:
                break;
            }
        }
        if (parentElsewhere || row.parent == row.index) {
            row.parent = 0;
        }
        row.life = m_lives.seen(row.index);
        // A loopback's address is six zero bytes: it has no physical address.
        if (info->ifi_type == ARPHRD_LOOPBACK ||
            std::all_of(row.physicalAddress.begin(), row.physicalAddress.end(), [](char c) { return c == 0; })) {
            row.physicalAddress.clear();
        }

        row.operStatus = mibOperStatus(info->ifi_flags, operstate);
        LinkMemory& memory = remember(row, info->ifi_type);
        row.type = memory.type;
        row.speed = memory.speed;
        row.lastChange = memory.lastChange;

        applyCounters(row, stats);
    }

    static void applyCounters(InterfaceRow& row, const rtnl_link_stats64& stats) {
        row.inOctets = stats.rx_bytes;
        row.inNUcastPkts = stats.multicast;
        row.inUcastPkts = stats.rx_packets >= stats.multicast ? stats.rx_packets - stats.multicast : 0;
        row.inDiscards = stats.rx_dropped;
        row.inErrors = stats.rx_errors;
        row.inUnknownProtos = stats.rx_nohandler;
        row.outOctets = stats.tx_bytes;
        row.outUcastPkts = stats.tx_packets; // Linux does not count sent multicast apart
        row.outNUcastPkts = 0;
        row.outDiscards = stats.tx_dropped;
        row.outErrors = stats.tx_errors;
        row.outQLen = 0; // the current queue length lives in the qdisc, not in the link table
    }

    LinkMemory& remember(const InterfaceRow& row, unsigned short arphrd) {
        std::vector<LinkMemory>& links = m_memory->links;
        auto it = std::find_if(links.begin(), links.end(), [&](const LinkMemory& m) { return m.index == row.index; });
        if (it == links.end()) {
            links.emplace_back();
            it = std::prev(links.end());
            it->index = row.index;
            it->operStatus = row.operStatus;
            refresh(*it, row, arphrd);
        } else if (it->name != row.description) {
            refresh(*it, row, arphrd);
        } else if (it->operStatus != row.operStatus) {
            // A changed link state is when the negotiated speed changes too.
            it->operStatus = row.operStatus;
            it->lastChange = centisecondsSinceBoot();
            it->speed = linkSpeed(row.description);
        }
        it->present = true;
        return *it;
    }

    static void refresh(LinkMemory& m, const InterfaceRow& row, unsigned short arphrd) {
        m.name = row.description;
        m.type = mibType(arphrd, row.description);
        m.speed = linkSpeed(row.description);
    }

    bool dumpAddresses(std::vector<AddressRow>& rows) {
        ifaddrmsg header{};
        header.ifa_family = AF_INET;
        if (!m_socket.requestDump(RTM_GETADDR, &header, sizeof(header))) {
            return false;
        }
        rows.clear();
        while (const nlmsghdr* msg = m_socket.next()) {
            if (msg->nlmsg_type != RTM_NEWADDR || msg->nlmsg_len < NLMSG_LENGTH(sizeof(ifaddrmsg))) {
                continue;
            }
            const auto* info = static_cast<const ifaddrmsg*>(NLMSG_DATA(msg));
            if (info->ifa_family != AF_INET) {
                continue;
            }
            AddressRow row;
            row.ifIndex = info->ifa_index;
            row.mask = prefixMask(info->ifa_prefixlen);
            bool haveLocal = false;
            bool haveAny = false;
            int length = static_cast<int>(msg->nlmsg_len - NLMSG_LENGTH(sizeof(ifaddrmsg)));
            for (auto* attr = IFA_RTA(info); RTA_OK(attr, length); attr = RTA_NEXT(attr, length)) {
                if (RTA_PAYLOAD(attr) < sizeof(std::uint32_t)) {
                    continue;
                }
                // On a point-to-point link IFA_ADDRESS is the peer; IFA_LOCAL is always our own.
                if (attr->rta_type == IFA_LOCAL) {
                    std::memcpy(&row.address, RTA_DATA(attr), sizeof(std::uint32_t));
                    haveLocal = haveAny = true;
                } else if (attr->rta_type == IFA_ADDRESS && !haveLocal) {
                    std::memcpy(&row.address, RTA_DATA(attr), sizeof(std::uint32_t));
                    haveAny = true;
                }
            }
            if (haveAny) {
                rows.push_back(row);
            }
        }
        return !m_socket.failed();
    }

    static constexpr int kStatsFailuresTolerated = 3;

    NetlinkLinkEvents m_events; // subscribed before the first dump, so that no change falls between the two
    NetlinkSocket m_socket;
    LinkLives m_lives;
    std::vector<InterfaceRow> m_rows; // the last full dump, with the counters of the last read
    bool m_rowsCurrent = false;       // no link event since m_rows was dumped
    int m_statsFailures = 0;
    std::shared_ptr<LinkMemoryTable> m_memory = linkMemoryOfThisNamespace();
};

} // namespace

std::unique_ptr<NetworkTables> makeSystemNetworkTables() {
    return std::make_unique<NetlinkNetworkTables>();
}

} // namespace tw
