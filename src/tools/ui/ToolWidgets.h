#pragma once

#include <QString>

class QLineEdit;
class QTreeWidget;
class QWidget;

namespace tw {

// Pieces the network tool windows share.
namespace toolui {

// The application title for message box captions.
QString appTitle();

// A message box with an OK button and the application title; `warning` adds the exclamation icon.
void showMessage(QWidget* parent, const QString& text, bool warning = false);

// Puts the focus into the box and selects its whole text, as after a refused input.
void focusAndSelect(QLineEdit* box);

// Rows alternating white and cream, one row high each, as the list windows show them.
void applyStripes(QTreeWidget* list);

} // namespace toolui
} // namespace tw
