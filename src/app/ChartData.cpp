#include "app/ChartData.h"

#include "common/ByteUnits.h"

#include <algorithm>
#include <cmath>

namespace tw {

void ChartData::insertValues(std::int32_t download, std::int32_t upload) {
    m_maximum = 0;
    for (int i = m_size - 1; i >= 1; --i) {
        m_download[i] = m_download[i - 1];
        m_upload[i] = m_upload[i - 1];
        m_maximum = std::max({m_maximum, m_download[i], m_upload[i]});
    }
    m_download[0] = download;
    m_upload[0] = upload;
    m_maximum = std::max({m_maximum, download, upload});
}

std::pair<std::int32_t, std::int32_t> ChartData::getValuesAtPosition(int position) const {
    if (position < 0 || position > m_size) {
        return {0, 0};
    }
    return {m_download[position], m_upload[position]};
}

void ChartData::setSize(int size) {
    m_size = std::max(size, 0);
    m_download.resize(static_cast<std::size_t>(m_size) + 1, 0);
    m_upload.resize(static_cast<std::size_t>(m_size) + 1, 0);
}

void ChartData::clear() {
    m_download.assign(static_cast<std::size_t>(m_size) + 1, 0);
    m_upload.assign(static_cast<std::size_t>(m_size) + 1, 0);
}

std::string chartScaleText(std::int32_t maximum, char decimalSeparator) {
    const int unit = largestUnitReached(maximum, kUnitMB);
    const std::string name(kByteUnitNames[static_cast<std::size_t>(unit)]);
    if (unit == kUnitBytes) {
        return std::to_string(maximum) + " " + name;
    }
    // The default rounding mode rounds halves to even.
    const auto tenths = static_cast<std::int64_t>(std::nearbyint(inUnit(maximum, unit) * 10));
    std::string text = std::to_string(tenths / 10);
    if (tenths % 10 != 0) {
        text += decimalSeparator;
        text += static_cast<char>('0' + tenths % 10);
    }
    return text + " " + name;
}

} // namespace tw
