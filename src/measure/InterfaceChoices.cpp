#include "measure/InterfaceChoices.h"

#include "measure/IPData.h"

namespace tw {

InterfaceChoices readInterfaceChoices(NetworkTables& tables) {
    // An engine without entries counts nothing and keeps no resources: it only lends its view of the rows. Without
    // a table it would tell the user so; the running engine has done that already.
    if (!tables.available()) {
        return {};
    }
    IPData lister(tables);
    return {lister.getList(IPData::kListAddresses), lister.getList(IPData::kListDescriptions)};
}

} // namespace tw
