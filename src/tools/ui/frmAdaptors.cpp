#include "tools/ui/frmAdaptors.h"

#include "tools/AdapterDetails.h"
#include "widgets/ui/StripedList.h"
#include "widgets/ui/UiText.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLocale>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace tw {

namespace {

constexpr int kAdapterColumnWidth = 200; // 3000 twips at 96 dots per inch

} // namespace

frmAdaptors::frmAdaptors(QWidget* parent) : frmAdaptors(parent, makeSystemNetworkTables()) {}

frmAdaptors::frmAdaptors(QWidget* parent, std::shared_ptr<NetworkTables> tables)
    : QDialog(parent), m_tables(std::move(tables)) {
    build();
    rebuild();
}

void frmAdaptors::build() {
    setObjectName("frmAdaptors");
    setWindowTitle("Interface Information");

    m_list = makeStripedList(this, "ListView1");
    m_list->setSelectionMode(QAbstractItemView::NoSelection);
    m_list->header()->setStretchLastSection(false);

    auto* update = new QPushButton("Update", this);
    update->setObjectName("Command1");
    connect(update, &QPushButton::clicked, this, &frmAdaptors::rebuild);
    auto* ok = new QPushButton("OK", this);
    ok->setObjectName("cmdOK");
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(update);
    buttons->addWidget(ok);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list, 1);
    layout->addLayout(buttons);
    resize(760, 560);
}

void frmAdaptors::rebuild() {
    m_list->clear();
    if (!m_tables || !m_tables->readInterfaces(m_rows)) {
        m_rows.clear(); // only the property names are shown
    }
    m_list->setColumnCount(1 + static_cast<int>(m_rows.size()));
    QStringList headers{QString()};
    for (std::size_t i = 0; i < m_rows.size(); ++i) {
        headers << QString("Adapter %1").arg(i + 1);
    }
    m_list->setHeaderLabels(headers);

    const QLocale locale;
    const AdapterDetails::NumberFormat formatted = [&locale](std::uint64_t n) {
        return locale.toString(static_cast<qulonglong>(n)).toStdString();
    };
    std::vector<std::vector<std::string>> columns;
    for (const InterfaceRow& row : m_rows) {
        columns.push_back(AdapterDetails::values(row, formatted));
    }
    QFont bold = m_list->font();
    bold.setBold(true);
    const auto& names = AdapterDetails::propertyNames();
    for (std::size_t property = 0; property < names.size(); ++property) {
        auto* item = new QTreeWidgetItem(m_list);
        item->setText(0, toQString(names[property]));
        item->setFont(0, bold);
        for (std::size_t c = 0; c < columns.size(); ++c) {
            item->setText(static_cast<int>(c) + 1, QString::fromStdString(columns[c][property]));
        }
    }
    m_list->resizeColumnToContents(0);
    for (int c = 1; c < m_list->columnCount(); ++c) {
        m_list->setColumnWidth(c, kAdapterColumnWidth);
    }
}

} // namespace tw
