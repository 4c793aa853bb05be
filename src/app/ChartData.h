#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace tw {

// The live chart's samples: two series (download, upload) of bytes per second, position 0 the newest. Positions
// 0..size-1 hold samples; one spare place at the end is never written, so a shift never reads past the series.
class ChartData {
public:
    // Shifts both series one place towards the older end and stores the pair at position 0. The maximum is
    // recomputed over the samples that stay, then raised to the new pair, so a peak that scrolls out stops
    // setting the scale.
    void insertValues(std::int32_t download, std::int32_t upload);

    // (download, upload) at the position; (0, 0) outside 0..size.
    std::pair<std::int32_t, std::int32_t> getValuesAtPosition(int position) const;
    std::int32_t getMaxValue() const { return m_maximum; }
    int getSize() const { return m_size; }

    // Keeps the newest samples that still fit; new places are 0. A negative size counts as 0.
    void setSize(int size);
    // All samples 0, size kept. The maximum stays until the next insertValues.
    void clear();

private:
    std::vector<std::int32_t> m_download = std::vector<std::int32_t>(1, 0);
    std::vector<std::int32_t> m_upload = std::vector<std::int32_t>(1, 0);
    int m_size = 0;
    std::int32_t m_maximum = 0;
};

// The chart's scale text for its maximum: "5 bytes", "1.5 kB", "3 MB" (one decimal, halves to even, no ".0").
std::string chartScaleText(std::int32_t maximum, char decimalSeparator = '.');

} // namespace tw
