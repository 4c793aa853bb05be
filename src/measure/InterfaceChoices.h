#pragma once

#include <string>
#include <vector>

namespace tw {

class NetworkTables;

// What the add-connection dialog offers: one entry per interface-table row, in table order.
struct InterfaceChoices {
    std::vector<std::string> addresses;    // the row's address, empty when it has none
    std::vector<std::string> descriptions; // the row's description
};

// The interfaces as the tables show them now. The texts are the engine's own (IPData::getList), so an address
// chosen from them is the very text the engine matches. Both lists are empty when the system has no interface
// table or it cannot be read.
InterfaceChoices readInterfaceChoices(NetworkTables& tables);

} // namespace tw
