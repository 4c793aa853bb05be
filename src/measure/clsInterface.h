#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace tw {

// Counter values of one interface row when an entry last matched it, the life of the link they belong to, and the
// update (and its moment) that saw them.
struct RowBaseline {
    std::uint32_t ifIndex = 0;
    std::uint64_t life = 0;
    std::uint64_t in = 0;
    std::uint64_t out = 0;
    std::uint64_t update = 0;
    std::uint64_t atMs = 0;
};

// One monitored connection: what it matches (kind code and name) and a baseline for every interface row it
// currently matches, so that several rows matching one entry are each counted from their own last values.
class clsInterface {
public:
    clsInterface() { reset(); }

    const std::string& getName() const { return m_name; }
    void setName(std::string name) { m_name = std::move(name); }
    int getType() const { return m_type; }
    void setType(int type) { m_type = type; }

    // First-time: the next match only records baselines. Setting it also forgets every baseline, so each row is
    // re-baselined when next seen.
    bool isFirstTime() const { return m_firstTime; }
    void setFirstTime(bool firstTime);

    // Baselines summed over the rows the entry matches (the baseline itself when one row matches).
    std::uint64_t getDiscardedDL() const;
    std::uint64_t getDiscardedUL() const;

    // No baselines, first-time, kind 0, name "** Not set **".
    void reset();

    const RowBaseline* baseline(std::uint32_t ifIndex) const;
    void setBaseline(const RowBaseline& baseline);
    void forgetBaseline(std::uint32_t ifIndex);
    // Drops the baselines of rows that were not seen in the given update (rows gone, or no longer matching).
    void forgetBaselinesNotSeenIn(std::uint64_t update);
    const std::vector<RowBaseline>& baselines() const { return m_baselines; }

private:
    std::vector<RowBaseline> m_baselines;
    bool m_firstTime = true;
    int m_type = 0;
    std::string m_name;
};

} // namespace tw
