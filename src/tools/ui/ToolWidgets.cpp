#include "tools/ui/ToolWidgets.h"

#include "common/MessageSink.h"

#include <QLineEdit>
#include <QMessageBox>
#include <QTreeWidget>

namespace tw::toolui {

QString appTitle() {
    return QString::fromUtf8(kAppTitle.data(), static_cast<qsizetype>(kAppTitle.size()));
}

void showMessage(QWidget* parent, const QString& text, bool warning) {
    QMessageBox box(warning ? QMessageBox::Warning : QMessageBox::NoIcon, appTitle(), text, QMessageBox::Ok, parent);
    box.exec();
}

void focusAndSelect(QLineEdit* box) {
    box->setFocus();
    box->selectAll();
}

void applyStripes(QTreeWidget* list) {
    QPalette palette = list->palette();
    palette.setColor(QPalette::Base, Qt::white);
    palette.setColor(QPalette::AlternateBase, QColor(255, 247, 235));
    list->setPalette(palette);
    list->setAlternatingRowColors(true);
}

} // namespace tw::toolui
