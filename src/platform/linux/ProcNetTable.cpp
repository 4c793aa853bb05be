#include "platform/linux/ProcNetTable.h"
#include "platform/ConnectionTable.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <fstream>
#include <string>

namespace tw {

namespace procnet {

int mibTcpState(int linuxState) {
    // Linux: 1 ESTABLISHED 2 SYN_SENT 3 SYN_RECV 4 FIN_WAIT1 5 FIN_WAIT2 6 TIME_WAIT 7 CLOSE 8 CLOSE_WAIT
    // 9 LAST_ACK 10 LISTEN 11 CLOSING 12 NEW_SYN_RECV
    static constexpr MibTcpState kMap[] = {
        MibTcpState::Established, MibTcpState::SynSent,  MibTcpState::SynReceived, MibTcpState::FinWait1,
        MibTcpState::FinWait2,    MibTcpState::TimeWait, MibTcpState::Closed,      MibTcpState::CloseWait,
        MibTcpState::LastAck,     MibTcpState::Listen,   MibTcpState::Closing,     MibTcpState::SynReceived,
    };
    if (linuxState < 1 || linuxState > static_cast<int>(std::size(kMap))) {
        return 0;
    }
    return static_cast<int>(kMap[linuxState - 1]);
}

namespace {

template <typename T> bool parseHex(std::string_view text, T& value) {
    if (text.empty()) {
        return false;
    }
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value, 16);
    return ec == std::errc{} && end == text.data() + text.size();
}

// "0100007F:0050" or 32 hex digits for IPv6, a colon and the port.
bool parseEndpoint(std::string_view text, IpEndpoint& endpoint) {
    const auto colon = text.find(':');
    if (colon == std::string_view::npos) {
        return false;
    }
    const std::string_view address = text.substr(0, colon);
    if (address.size() != 8 && address.size() != 32) {
        return false;
    }
    endpoint.address = IpAddress{};
    endpoint.address.v6 = address.size() == 32;
    for (std::size_t word = 0; word * 8 < address.size(); ++word) {
        std::uint32_t value = 0;
        if (!parseHex(address.substr(word * 8, 8), value)) {
            return false;
        }
        // The kernel printed the word as a host integer: its memory bytes are the network-order bytes.
        std::memcpy(endpoint.address.bytes.data() + word * 4, &value, 4);
    }
    return parseHex(text.substr(colon + 1), endpoint.port);
}

// Splits on spaces; the first three fields after "sl:" are local, remote, state.
bool splitFields(std::string_view line, std::string_view (&fields)[4]) {
    std::size_t count = 0;
    std::size_t pos = 0;
    while (count < 4) {
        pos = line.find_first_not_of(' ', pos);
        if (pos == std::string_view::npos) {
            return false;
        }
        const auto end = std::min(line.find(' ', pos), line.size());
        fields[count++] = line.substr(pos, end - pos);
        pos = end;
    }
    return fields[0].ends_with(':');
}

} // namespace

std::optional<TcpTableRow> parseTcpLine(std::string_view line) {
    std::string_view fields[4];
    TcpTableRow row;
    int linuxState = 0;
    if (!splitFields(line, fields) || !parseEndpoint(fields[1], row.local) || !parseEndpoint(fields[2], row.remote) ||
        !parseHex(fields[3], linuxState)) {
        return std::nullopt;
    }
    row.state = mibTcpState(linuxState);
    return row;
}

std::optional<UdpTableRow> parseUdpLine(std::string_view line) {
    std::string_view fields[4];
    UdpTableRow row;
    if (!splitFields(line, fields) || !parseEndpoint(fields[1], row.local)) {
        return std::nullopt;
    }
    return row;
}

namespace {

template <typename Row, typename Parse> std::optional<std::vector<Row>> readFile(const std::string& path, Parse parse) {
    std::ifstream in(path);
    if (!in) {
        return std::nullopt;
    }
    std::vector<Row> rows;
    std::string line;
    while (std::getline(in, line)) {
        if (auto row = parse(line)) {
            rows.push_back(*row);
        }
    }
    return rows;
}

} // namespace

std::optional<std::vector<TcpTableRow>> readTcpFile(const std::string& path) {
    return readFile<TcpTableRow>(path, parseTcpLine);
}

std::optional<std::vector<UdpTableRow>> readUdpFile(const std::string& path) {
    return readFile<UdpTableRow>(path, parseUdpLine);
}

} // namespace procnet

} // namespace tw
