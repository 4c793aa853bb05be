#pragma once

#include <QString>

class QGridLayout;
class QLineEdit;
class QRadioButton;
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

// The flat list of the tool windows ("ListView1"): no tree decoration, rows of one height alternating white and
// cream.
QTreeWidget* makeStripedList(QWidget* owner);

// The "Host name" / "Host IP" choice of the traceroute and whois windows: each option enables its own box.
struct HostChoice {
    QRadioButton* byName = nullptr; // objectName "Option1", property "index" 0
    QRadioButton* byIp = nullptr;   // objectName "Option1", property "index" 1
    QLineEdit* hostText = nullptr;
    QLineEdit* hostIPText = nullptr;
    QGridLayout* layout = nullptr;

    // 0 the host name, 1 the host IP.
    void select(int index) const;
};

// The two options and boxes in a grid; `withExamples` adds the example texts beside the boxes.
HostChoice makeHostChoice(QWidget* owner, bool withExamples);

} // namespace toolui
} // namespace tw
