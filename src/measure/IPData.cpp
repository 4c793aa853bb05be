#include "measure/IPData.h"

#include "common/MessageSink.h"
#include "config/MonitoredConnection.h"
#include "measure/IpPattern.h"

#include <charconv>
#include <cstring>

namespace tw {

namespace {
constexpr std::string_view kNotSupported =
    "Not supported by this system.\nMinimum requirement: Windows 98 or Windows NT4 with SP4.";
constexpr std::string_view kUnassigned = "0.0.0.0";
constexpr std::string_view kLoopback = "127.0.0.1";
} // namespace

IPData::IPData(NetworkTables& tables) : m_tables(tables) {
    if (!m_tables.available()) {
        m_inert = true;
        showMessage(kNotSupported);
    }
}

void IPData::updateStatistics() {
    if (m_inert) {
        return;
    }
    m_tickReceived = 0;
    m_tickSent = 0;
    // A failed read counts nothing and keeps every baseline: the next good update counts both intervals.
    if (!m_tables.readInterfaces(m_rows) || m_entries.empty()) {
        return;
    }
    const bool allConnections = m_entries.front().getType() == kKindAllConnections;
    bool needAddresses = allConnections;
    for (const clsInterface& entry : m_entries) {
        needAddresses = needAddresses || entry.getType() == kKindSingleIp || entry.getType() == kKindIpRange;
    }
    // Without addresses the loopback would be counted and address entries would lose their baselines; skipping
    // the update loses nothing instead.
    if (needAddresses && !readRowAddresses()) {
        return;
    }
    ++m_update;
    if (allConnections) {
        countAllConnections();
    } else {
        countPerEntry();
    }
}

bool IPData::readRowAddresses() {
    if (!m_tables.readAddresses(m_addresses)) {
        return false;
    }
    m_rowAddresses.resize(m_rows.size());
    for (std::size_t r = 0; r < m_rows.size(); ++r) {
        AddressText& out = m_rowAddresses[r];
        out.length = 0;
        for (const AddressRow& a : m_addresses) {
            if (a.ifIndex != m_rows[r].index) {
                continue;
            }
            unsigned char bytes[4];
            std::memcpy(bytes, &a.address, sizeof(bytes));
            char* p = out.text.data();
            char* const end = p + out.text.size();
            for (int i = 0; i < 4; ++i) {
                p = std::to_chars(p, end, bytes[i]).ptr;
                if (i < 3) {
                    *p++ = '.';
                }
            }
            out.length = static_cast<std::uint8_t>(p - out.text.data());
            break;
        }
    }
    return true;
}

bool IPData::matches(const clsInterface& entry, std::size_t row) const {
    switch (entry.getType()) {
    case kKindInterface:
        return m_rows[row].description == entry.getName();
    case kKindSingleIp:
        return !m_rowAddresses[row].isNone() && m_rowAddresses[row].view() == entry.getName();
    case kKindIpRange:
        return !m_rowAddresses[row].isNone() && matchesIpRange(m_rowAddresses[row].view(), entry.getName());
    default:
        return false;
    }
}

std::uint64_t IPData::delta(std::uint64_t now, std::uint64_t before) const {
    if (m_tables.counterBits() == 32) {
        return (now - before) & 0xFFFFFFFFu;
    }
    return now >= before ? now - before : 0; // a reset counter: nothing this update, counted from the new value
}

void IPData::countPerEntry() {
    m_matched.resize(m_entries.size());
    for (std::size_t r = 0; r < m_rows.size(); ++r) {
        const InterfaceRow& row = m_rows[r];
        // The row was last counted (or baselined) at the most recent baseline of the entries matching it; counting
        // from there counts every byte once, even when an entry's baseline is older.
        const RowBaseline* latest = nullptr;
        bool any = false;
        for (std::size_t k = 0; k < m_entries.size(); ++k) {
            m_matched[k] = matches(m_entries[k], r);
            if (!m_matched[k]) {
                continue;
            }
            any = true;
            const RowBaseline* b = m_entries[k].baseline(row.index);
            if (b && (!latest || b->update > latest->update)) {
                latest = b;
            }
        }
        if (!any) {
            continue;
        }
        if (latest) {
            m_tickReceived += delta(row.inOctets, latest->in);
            m_tickSent += delta(row.outOctets, latest->out);
        }
        for (std::size_t k = 0; k < m_entries.size(); ++k) {
            if (m_matched[k]) {
                m_entries[k].setBaseline(row.index, row.inOctets, row.outOctets, m_update);
                m_entries[k].setFirstTime(false);
            }
        }
    }
    for (clsInterface& entry : m_entries) {
        entry.forgetBaselinesNotSeenIn(m_update);
    }
}

void IPData::countAllConnections() {
    clsInterface& entry = m_entries.front();
    for (std::size_t r = 0; r < m_rows.size(); ++r) {
        const std::string_view address = m_rowAddresses[r].view();
        if (address == kUnassigned || address == kLoopback) {
            continue;
        }
        const InterfaceRow& row = m_rows[r];
        if (const RowBaseline* b = entry.baseline(row.index)) {
            m_tickReceived += delta(row.inOctets, b->in);
            m_tickSent += delta(row.outOctets, b->out);
        }
        entry.setBaseline(row.index, row.inOctets, row.outOctets, m_update);
    }
    entry.setFirstTime(false);
    // A row that left the table or stopped being counted subtracts nothing; if it comes back it starts afresh.
    entry.forgetBaselinesNotSeenIn(m_update);
}

std::uint64_t IPData::getBytesRecieved() {
    const std::uint64_t value = m_tickReceived;
    m_tickReceived = 0;
    return value;
}

std::uint64_t IPData::getBytesSent() {
    const std::uint64_t value = m_tickSent;
    m_tickSent = 0;
    return value;
}

void IPData::continue_() {
    updateStatistics();
    m_tickReceived = 0;
    m_tickSent = 0;
}

void IPData::stopIt() {
    for (clsInterface& entry : m_entries) {
        entry.setFirstTime(true);
    }
}

void IPData::addAllAdaptors() {
    clearAdaptors();
    addGenericAdapter();
}

void IPData::addGenericAdapter() {
    clsInterface& entry = m_entries.emplace_back();
    entry.reset();
    entry.setType(kKindAllConnections);
    entry.setName(std::string(kAllConnectionsName));
}

void IPData::addAdaptor(int kind, std::string name) {
    clsInterface& entry = m_entries.emplace_back();
    entry.reset();
    entry.setType(kind);
    entry.setName(std::move(name));
}

std::string IPData::getAdaptor() const {
    if (m_entries.empty()) {
        return "No connections are monitored.";
    }
    if (m_entries.size() > 1) {
        return "Multiple connections";
    }
    const clsInterface& entry = m_entries.front();
    switch (entry.getType()) {
    case kKindInterface:
    case kKindSingleIp:
    case kKindAllConnections:
        return entry.getName();
    case kKindIpRange:
        return "IP Range: " + entry.getName();
    default:
        return {};
    }
}

std::vector<std::string> IPData::getList(int kind) {
    std::vector<std::string> list;
    if (m_inert || !m_tables.readInterfaces(m_rows)) {
        return list;
    }
    if (kind == kListAddresses) {
        // Addresses: a table that cannot be read gives an empty text per row.
        const bool haveAddresses = readRowAddresses();
        for (std::size_t r = 0; r < m_rows.size(); ++r) {
            list.emplace_back(haveAddresses ? m_rowAddresses[r].view() : std::string_view{});
        }
    } else if (kind == kListDescriptions) {
        for (const InterfaceRow& row : m_rows) {
            list.push_back(row.description);
        }
    }
    return list;
}

} // namespace tw
