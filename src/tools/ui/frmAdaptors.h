#pragma once

#include "platform/NetworkTables.h"

#include <QDialog>

#include <memory>

class QTreeWidget;

namespace tw {

// Everything the interface table says about each interface: one column per interface, one row per property.
class frmAdaptors : public QDialog {
    Q_OBJECT
public:
    explicit frmAdaptors(QWidget* parent = nullptr);
    frmAdaptors(QWidget* parent, std::shared_ptr<NetworkTables> tables);

    // Reads the table again and rebuilds the list from scratch.
    void rebuild();

private:
    void build();

    std::shared_ptr<NetworkTables> m_tables;
    std::vector<InterfaceRow> m_rows;
    QTreeWidget* m_list = nullptr;
};

} // namespace tw
