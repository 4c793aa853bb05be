#include "measure/IPData.h"

#include "common/MessageSink.h"
#include "config/MonitoredConnection.h"
#include "measure/EdgeLinks.h"
#include "measure/IpPattern.h"

#include <algorithm>
#include <charconv>
#include <cstring>

namespace tw {

namespace {
constexpr std::string_view kNotSupported =
    "Not supported by this system.\nMinimum requirement: Windows 98 or Windows NT4 with SP4.";
} // namespace

IPData::IPData(NetworkTables& tables) : m_tables(tables), m_ownClock(makeSystemClock()), m_clock(*m_ownClock) {
    checkTables();
}

IPData::IPData(NetworkTables& tables, const Clock& clock) : m_tables(tables), m_clock(clock) {
    checkTables();
}

void IPData::checkTables() {
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
    if (!m_tables.readInterfaces(m_rows)) {
        return;
    }
    const std::uint64_t lifeCount = m_tables.lifeCount();
    if (m_entries.empty()) {
        m_lifeWatermark = lifeCount;
        return;
    }
    const bool allConnections = m_entries.front().getType() == kKindAllConnections;
    bool needAddresses = false;
    for (const clsInterface& entry : m_entries) {
        needAddresses = needAddresses || entry.getType() == kKindSingleIp || entry.getType() == kKindIpRange;
    }
    // Without addresses the address entries would lose their baselines; skipping the update loses nothing instead.
    if (!allConnections && needAddresses && !readRowAddresses()) {
        return;
    }
    ++m_update;
    m_nowMs = m_clock.monotonicMs();
    countEndedLives();
    if (allConnections) {
        selectEdgeLinks(m_rows, m_counted);
        count(std::span(m_entries).first(1));
    } else {
        count(m_entries);
    }
    m_lifeWatermark = lifeCount;
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
    case kKindAllConnections:
        return m_counted.size() == m_rows.size() && m_counted[row] != 0;
    default:
        return false;
    }
}

std::uint64_t IPData::delta(std::uint64_t now, std::uint64_t before, std::uint64_t elapsedMs,
                            std::uint64_t speed) const {
    if (now >= before) {
        return now - before;
    }
    if (m_tables.counterBits() != 32) {
        return 0; // a reset counter: nothing this update, counted from the new value
    }
    // A 32-bit counter moves backwards both when it wraps and when it restarts at 0. A wrap is only possible if the
    // bytes it stands for could have passed: at most 2^31, and at most what the link carries in the time (with room
    // for a link whose speed dropped during the interval).
    const std::uint64_t wrapped = (now - before) & 0xFFFFFFFFu;
    if (wrapped > (std::uint64_t{1} << 31)) {
        return 0;
    }
    if (speed > 0 && static_cast<double>(wrapped) > 2.0 * static_cast<double>(speed) / 8.0 * elapsedMs / 1000.0) {
        return 0;
    }
    return wrapped;
}

void IPData::addSince(const RowBaseline& before, std::uint64_t in, std::uint64_t out, std::uint64_t speed) {
    const std::uint64_t elapsedMs = m_nowMs - before.atMs;
    m_tickReceived += delta(in, before.in, elapsedMs, speed);
    m_tickSent += delta(out, before.out, elapsedMs, speed);
}

void IPData::countEndedLives() {
    const std::vector<EndedLink>& ended = m_tables.endedLinks();
    if (ended.empty() || ended.back().life == m_lastEndedLife) {
        return;
    }
    m_lastEndedLife = ended.back().life;
    // Looking at a life twice is harmless: its baselines are gone after the first time.
    for (const EndedLink& link : ended) {
        bool counted = false;
        for (clsInterface& entry : m_entries) {
            const RowBaseline* b = entry.baseline(link.index);
            if (!b || b->life != link.life) {
                continue;
            }
            // Every entry that matched the row holds the same baseline: its last bytes are counted once.
            if (!counted && link.haveCounters) {
                addSince(*b, link.inOctets, link.outOctets, 0);
                counted = true;
            }
            entry.forgetBaseline(link.index);
        }
    }
}

void IPData::count(std::span<clsInterface> entries) {
    m_matched.resize(entries.size());
    // Entries stay first-time for the whole update, however many rows they match.
    m_seen.assign(entries.size(), 0);
    for (std::size_t r = 0; r < m_rows.size(); ++r) {
        const InterfaceRow& row = m_rows[r];
        // The row was last counted (or baselined) at the most recent baseline of the entries matching it; counting
        // from there counts every byte once, even when an entry's baseline is older.
        const RowBaseline* latest = nullptr;
        bool any = false;
        bool counting = false;
        for (std::size_t k = 0; k < entries.size(); ++k) {
            m_matched[k] = matches(entries[k], r);
            if (!m_matched[k]) {
                continue;
            }
            any = true;
            counting = counting || !entries[k].isFirstTime();
            const RowBaseline* b = entries[k].baseline(row.index);
            if (b && (!latest || b->update > latest->update)) {
                latest = b;
            }
        }
        if (!any) {
            continue;
        }
        if (latest && latest->life == row.life) {
            addSince(*latest, row.inOctets, row.outOctets, row.speed);
        } else if (counting && row.life != 0 && row.life > m_lifeWatermark) {
            // A link that began since the previous update: all its bytes are new.
            m_tickReceived += row.inOctets;
            m_tickSent += row.outOctets;
        }
        const RowBaseline now{row.index, row.life, row.inOctets, row.outOctets, m_update, m_nowMs};
        for (std::size_t k = 0; k < entries.size(); ++k) {
            if (m_matched[k]) {
                entries[k].setBaseline(now);
                m_seen[k] = 1;
            }
        }
    }
    for (std::size_t k = 0; k < entries.size(); ++k) {
        if (m_seen[k]) {
            entries[k].setFirstTime(false);
        }
        // A row that left the table or stopped being counted subtracts nothing; if it comes back it starts afresh.
        entries[k].forgetBaselinesNotSeenIn(m_update);
    }
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

std::vector<std::string> IPData::countedLinks() {
    std::vector<std::string> names;
    if (m_inert || !m_tables.readInterfaces(m_rows)) {
        return names;
    }
    selectEdgeLinks(m_rows, m_counted);
    for (std::size_t r = 0; r < m_rows.size(); ++r) {
        if (m_counted[r]) {
            names.push_back(m_rows[r].description);
        }
    }
    return names;
}

std::vector<std::string> IPData::monitoredLinks() {
    if (!m_entries.empty() && m_entries.front().getType() == kKindAllConnections) {
        return countedLinks();
    }
    std::vector<std::string> names;
    if (m_inert || m_entries.empty() || !m_tables.readInterfaces(m_rows)) {
        return names;
    }
    bool needAddresses = false;
    for (const clsInterface& entry : m_entries) {
        needAddresses = needAddresses || entry.getType() == kKindSingleIp || entry.getType() == kKindIpRange;
    }
    const bool haveAddresses = needAddresses && readRowAddresses();
    for (std::size_t r = 0; r < m_rows.size(); ++r) {
        const bool matched = std::any_of(m_entries.begin(), m_entries.end(), [&](const clsInterface& entry) {
            const bool byAddress = entry.getType() == kKindSingleIp || entry.getType() == kKindIpRange;
            return (!byAddress || haveAddresses) && matches(entry, r);
        });
        if (matched) {
            names.push_back(m_rows[r].description);
        }
    }
    return names;
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
