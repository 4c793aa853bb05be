#pragma once

class QGridLayout;
class QLineEdit;
class QRadioButton;
class QWidget;

namespace tw {

// Pieces the network tool windows share.
namespace toolui {

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
