#include "platform/ConnectionTable.h"
#include "platform/linux/NetlinkSocket.h"
#include "platform/linux/ProcNetTable.h"
#include "platform/linux/SocketOwners.h"

#include <cstring>
#include <linux/inet_diag.h>
#include <linux/sock_diag.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unordered_map>
#include <unordered_set>

namespace tw {

namespace {

IpEndpoint endpoint(std::uint8_t family, const __be32 (&address)[4], __be16 port) {
    IpEndpoint e;
    e.address.v6 = family == AF_INET6;
    std::memcpy(e.address.bytes.data(), address, e.address.v6 ? 16 : 4);
    e.port = ntohs(port);
    return e;
}

// The socket tables from the kernel's socket diagnostics, one dump per protocol and family: a dump walks only
// the sockets there are, where /proc/net/tcp walks every bucket of the hash table (milliseconds on a large one).
// A family the diagnostics cannot dump is read from /proc instead.
class SockDiagConnectionTable final : public ConnectionTable {
public:
    std::optional<std::vector<TcpTableRow>> tcpTable() const override { return readTcp(nullptr); }
    std::optional<std::vector<UdpTableRow>> udpTable() const override { return readUdp(nullptr); }

    ConnectionTables tablesWithOwners() const override {
        std::vector<std::uint64_t> tcpInodes;
        std::vector<std::uint64_t> udpInodes;
        ConnectionTables tables{readTcp(&tcpInodes), readUdp(&udpInodes)};
        std::unordered_set<std::uint64_t> wanted(tcpInodes.begin(), tcpInodes.end());
        wanted.insert(udpInodes.begin(), udpInodes.end());
        wanted.erase(0); // time-wait and orphaned sockets belong to no process
        const auto owners = procfs::findSocketOwners(wanted);
        attachOwners(tables.tcp, tcpInodes, owners);
        attachOwners(tables.udp, udpInodes, owners);
        return tables;
    }

private:
    // inodes, when given, receives each row's socket inode (0 where it is not known).
    std::optional<std::vector<TcpTableRow>> readTcp(std::vector<std::uint64_t>* inodes) const {
        return read<TcpTableRow>(
            IPPROTO_TCP, "/proc/net/tcp", "/proc/net/tcp6", procnet::readTcpFile,
            [](const inet_diag_msg& m) {
                return TcpTableRow{procnet::mibTcpState(m.idiag_state),
                                   endpoint(m.idiag_family, m.id.idiag_src, m.id.idiag_sport),
                                   endpoint(m.idiag_family, m.id.idiag_dst, m.id.idiag_dport)};
            },
            inodes);
    }

    std::optional<std::vector<UdpTableRow>> readUdp(std::vector<std::uint64_t>* inodes) const {
        return read<UdpTableRow>(
            IPPROTO_UDP, "/proc/net/udp", "/proc/net/udp6", procnet::readUdpFile,
            [](const inet_diag_msg& m) {
                return UdpTableRow{endpoint(m.idiag_family, m.id.idiag_src, m.id.idiag_sport)};
            },
            inodes);
    }

    template <typename Row>
    static void attachOwners(std::optional<std::vector<Row>>& rows, const std::vector<std::uint64_t>& inodes,
                             const std::unordered_map<std::uint64_t, SocketOwner>& owners) {
        if (!rows) {
            return;
        }
        for (std::size_t i = 0; i < rows->size() && i < inodes.size(); ++i) {
            if (const auto it = owners.find(inodes[i]); it != owners.end()) {
                (*rows)[i].owner = it->second;
            }
        }
    }

    template <typename Row, typename ReadFile, typename Convert>
    std::optional<std::vector<Row>> read(std::uint8_t protocol, const char* v4Path, const char* v6Path,
                                         ReadFile readFile, Convert convert, std::vector<std::uint64_t>* inodes) const {
        std::optional<std::vector<Row>> all;
        for (const auto& [family, path] : {std::pair{AF_INET, v4Path}, std::pair{AF_INET6, v6Path}}) {
            std::vector<std::uint64_t> partInodes;
            auto part = dump<Row>(static_cast<std::uint8_t>(family), protocol, convert, partInodes);
            if (!part) {
                part = readFile(path);
                partInodes.assign(part ? part->size() : 0, 0);
            }
            if (part) {
                if (!all) {
                    all.emplace();
                }
                all->insert(all->end(), part->begin(), part->end());
                if (inodes != nullptr) {
                    inodes->insert(inodes->end(), partInodes.begin(), partInodes.end());
                }
            }
        }
        return all;
    }

    template <typename Row, typename Convert>
    std::optional<std::vector<Row>> dump(std::uint8_t family, std::uint8_t protocol, Convert convert,
                                         std::vector<std::uint64_t>& inodes) const {
        inet_diag_req_v2 request{};
        request.sdiag_family = family;
        request.sdiag_protocol = protocol;
        request.idiag_states = ~0u;
        if (!m_socket.requestDump(SOCK_DIAG_BY_FAMILY, &request, sizeof(request))) {
            return std::nullopt;
        }
        std::vector<Row> rows;
        while (const nlmsghdr* msg = m_socket.next()) {
            if (msg->nlmsg_type != SOCK_DIAG_BY_FAMILY || msg->nlmsg_len < NLMSG_LENGTH(sizeof(inet_diag_msg))) {
                continue;
            }
            inet_diag_msg diag;
            std::memcpy(&diag, NLMSG_DATA(msg), sizeof(diag));
            if (diag.idiag_family == family) {
                rows.push_back(convert(diag));
                inodes.push_back(diag.idiag_inode);
            }
        }
        if (m_socket.failed()) {
            return std::nullopt;
        }
        return rows;
    }

    mutable NetlinkSocket m_socket{NETLINK_SOCK_DIAG};
};

} // namespace

std::unique_ptr<ConnectionTable> makeSystemConnectionTable() {
    return std::make_unique<SockDiagConnectionTable>();
}

} // namespace tw
