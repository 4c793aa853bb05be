#include "widgets/ui/TabbedDialog.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QShortcut>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

namespace tw {

QTabWidget* addTabsAndButtons(QDialog* dialog, const QString& tabsName) {
    auto* tabs = new QTabWidget(dialog);
    tabs->setObjectName(tabsName);

    auto* buttons = new QDialogButtonBox(dialog);
    auto* ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("OKButton"));
    ok->setDefault(true);
    auto* cancel = buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("CancelButton"));
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);

    auto* layout = new QVBoxLayout(dialog);
    layout->addWidget(tabs);
    layout->addWidget(buttons);
    return tabs;
}

void cycleTabsWithCtrlTab(QWidget* window, QTabBar* tabs) {
    auto step = [tabs](int delta) {
        const int count = tabs->count();
        if (count > 0) {
            tabs->setCurrentIndex((tabs->currentIndex() + delta + count) % count);
        }
    };
    auto* next = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Tab), window);
    QObject::connect(next, &QShortcut::activated, window, [step] { step(1); });
    for (const QKeySequence& keys :
         {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab)}) {
        auto* previous = new QShortcut(keys, window);
        QObject::connect(previous, &QShortcut::activated, window, [step] { step(-1); });
    }
}

} // namespace tw
