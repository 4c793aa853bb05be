#include "platform/qt/QtMessageSink.h"

#include <QApplication>
#include <QMessageBox>

namespace tw {

void QtMessageSink::showMessage(std::string_view text, MessageIcon icon) {
    QMessageBox::Icon boxIcon = QMessageBox::NoIcon;
    switch (icon) {
    case MessageIcon::Information:
        boxIcon = QMessageBox::Information;
        break;
    case MessageIcon::Warning:
        boxIcon = QMessageBox::Warning;
        break;
    case MessageIcon::Critical:
        boxIcon = QMessageBox::Critical;
        break;
    case MessageIcon::None:
        break;
    }
    QMessageBox box(boxIcon, QString::fromUtf8(kAppTitle.data(), static_cast<qsizetype>(kAppTitle.size())),
                    QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())), QMessageBox::Ok,
                    QApplication::activeWindow());
    box.exec();
}

} // namespace tw
