#pragma once

#include <windows.h>

#include <vector>

namespace tw::win {

// The IP Helper tables report the size they need; the table may grow between that answer and the next call, so the
// read is retried a few times with the size last reported. The buffer is the caller's and is reused. Returns the
// last call's result; table points into the buffer when it is NO_ERROR.
template <typename Table, typename Read>
DWORD readGrowingTable(std::vector<unsigned char>& buffer, Table*& table, Read read) {
    ULONG size = static_cast<ULONG>(buffer.size());
    DWORD result = ERROR_INSUFFICIENT_BUFFER;
    for (int attempt = 0; attempt < 4 && result == ERROR_INSUFFICIENT_BUFFER; ++attempt) {
        if (size > buffer.size()) {
            buffer.resize(size);
        }
        table = buffer.empty() ? nullptr : reinterpret_cast<Table*>(buffer.data());
        result = read(table, &size);
    }
    if (result != NO_ERROR) {
        table = nullptr;
    }
    return result;
}

} // namespace tw::win
