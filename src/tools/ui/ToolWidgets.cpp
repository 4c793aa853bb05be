#include "tools/ui/ToolWidgets.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

namespace tw::toolui {

void HostChoice::select(int index) const {
    (index == 0 ? byName : byIp)->setChecked(true);
    hostText->setEnabled(index == 0);
    hostIPText->setEnabled(index == 1);
}

HostChoice makeHostChoice(QWidget* owner, bool withExamples) {
    HostChoice host;
    host.byName = new QRadioButton("Host name", owner);
    host.byIp = new QRadioButton("Host IP", owner);
    host.byName->setObjectName("Option1");
    host.byIp->setObjectName("Option1");
    host.byName->setProperty("index", 0);
    host.byIp->setProperty("index", 1);
    host.hostText = new QLineEdit(owner);
    host.hostText->setObjectName("hostText");
    host.hostIPText = new QLineEdit(owner);
    host.hostIPText->setObjectName("hostIPText");
    host.layout = new QGridLayout;
    host.layout->addWidget(host.byName, 0, 0);
    host.layout->addWidget(host.hostText, 0, 1);
    host.layout->addWidget(host.byIp, 1, 0);
    host.layout->addWidget(host.hostIPText, 1, 1);
    if (withExamples) {
        host.layout->addWidget(new QLabel("(e.g. www.example.com)", owner), 0, 2);
        host.layout->addWidget(new QLabel("(e.g. 192.0.2.1)", owner), 1, 2);
    }
    host.layout->setColumnStretch(1, 1);
    for (int index : {0, 1}) {
        QObject::connect(index == 0 ? host.byName : host.byIp, &QRadioButton::toggled, owner, [host, index](bool on) {
            if (on) {
                host.select(index);
            }
        });
    }
    return host;
}

} // namespace tw::toolui
