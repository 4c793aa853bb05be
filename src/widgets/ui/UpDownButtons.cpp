#include "widgets/ui/UpDownButtons.h"

#include "widgets/ui/MessageBoxes.h"

#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace tw {

UpDownButtons::UpDownButtons(QLineEdit* buddy, double minimum, double maximum, double step, QWidget* parent)
    : QWidget(parent), m_buddy(buddy), m_minimum(minimum), m_maximum(maximum), m_step(step) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto* up = new QToolButton(this);
    up->setObjectName("upButton");
    up->setArrowType(Qt::UpArrow);
    auto* down = new QToolButton(this);
    down->setObjectName("downButton");
    down->setArrowType(Qt::DownArrow);
    for (QToolButton* b : {up, down}) {
        b->setAutoRepeat(true);
        b->setFocusPolicy(Qt::NoFocus);
        b->setFixedSize(16, 11);
        layout->addWidget(b);
    }
    connect(up, &QToolButton::clicked, this, [this] { stepBy(1); });
    connect(down, &QToolButton::clicked, this, [this] { stepBy(-1); });
}

void UpDownButtons::stepBy(int steps) {
    bool ok = false;
    const double current = m_buddy->text().trimmed().toDouble(&ok);
    const double base = ok ? std::nearbyint(current) : m_minimum - steps * m_step;
    const double next = std::clamp(base + steps * m_step, m_minimum, m_maximum);
    m_buddy->setText(QString::number(next, 'f', 0));
    focusAndSelect(m_buddy);
}

} // namespace tw
