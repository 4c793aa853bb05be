#include "platform/ConnectionTable.h"
#include "platform/linux/NetlinkSocket.h"
#include "platform/linux/ProcNetTable.h"

#include <cstring>
#include <linux/inet_diag.h>
#include <linux/sock_diag.h>
#include <netinet/in.h>
#include <sys/socket.h>

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
    std::optional<std::vector<TcpTableRow>> tcpTable() const override {
        return read<TcpTableRow>(IPPROTO_TCP, "/proc/net/tcp", "/proc/net/tcp6", procnet::readTcpFile,
                                 [](const inet_diag_msg& m) {
                                     return TcpTableRow{procnet::mibTcpState(m.idiag_state),
                                                        endpoint(m.idiag_family, m.id.idiag_src, m.id.idiag_sport),
                                                        endpoint(m.idiag_family, m.id.idiag_dst, m.id.idiag_dport)};
                                 });
    }

    std::optional<std::vector<UdpTableRow>> udpTable() const override {
        return read<UdpTableRow>(IPPROTO_UDP, "/proc/net/udp", "/proc/net/udp6", procnet::readUdpFile,
                                 [](const inet_diag_msg& m) {
                                     return UdpTableRow{endpoint(m.idiag_family, m.id.idiag_src, m.id.idiag_sport)};
                                 });
    }

private:
    template <typename Row, typename ReadFile, typename Convert>
    std::optional<std::vector<Row>> read(std::uint8_t protocol, const char* v4Path, const char* v6Path,
                                         ReadFile readFile, Convert convert) const {
        std::optional<std::vector<Row>> all;
        for (const auto& [family, path] : {std::pair{AF_INET, v4Path}, std::pair{AF_INET6, v6Path}}) {
            auto part = dump<Row>(static_cast<std::uint8_t>(family), protocol, convert);
            if (!part) {
                part = readFile(path);
            }
            if (part) {
                if (!all) {
                    all.emplace();
                }
                all->insert(all->end(), part->begin(), part->end());
            }
        }
        return all;
    }

    template <typename Row, typename Convert>
    std::optional<std::vector<Row>> dump(std::uint8_t family, std::uint8_t protocol, Convert convert) const {
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
