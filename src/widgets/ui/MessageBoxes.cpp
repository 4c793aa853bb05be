#include "widgets/ui/MessageBoxes.h"

#include "widgets/ui/UiText.h"

#include <QLineEdit>

namespace tw {

void showMessageBox(QWidget* parent, const QString& text, QMessageBox::Icon icon) {
    QMessageBox box(icon, appTitle(), text, QMessageBox::Ok, parent);
    box.exec();
}

void focusAndSelect(QLineEdit* box) {
    box->setFocus();
    box->selectAll();
}

} // namespace tw
