#pragma once

#include "platform/ConnectionTable.h"

namespace tw {

class FakeConnectionTable final : public ConnectionTable {
public:
    std::optional<std::vector<TcpTableRow>> tcp = std::vector<TcpTableRow>{};
    std::optional<std::vector<UdpTableRow>> udp = std::vector<UdpTableRow>{};

    std::optional<std::vector<TcpTableRow>> tcpTable() const override { return tcp; }
    std::optional<std::vector<UdpTableRow>> udpTable() const override { return udp; }
    ConnectionTables tablesWithOwners() const override { return {tcp, udp}; }
};

} // namespace tw
