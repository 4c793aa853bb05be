#pragma once

#include <QMessageBox>

class QLineEdit;

namespace tw {

// A modal message box over parent with the application title and an OK button.
void showMessageBox(QWidget* parent, const QString& text, QMessageBox::Icon icon = QMessageBox::NoIcon);

// After a refused input: the focus goes into the box and its whole text is selected.
void focusAndSelect(QLineEdit* box);

} // namespace tw
