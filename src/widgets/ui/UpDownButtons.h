#pragma once

#include <QWidget>

class QLineEdit;
class QToolButton;

namespace tw {

// The small up and down arrows beside a number text box: each click steps the box's whole number within a range.
// The box stays free text, so what the user typed is kept until an arrow is used.
class UpDownButtons : public QWidget {
    Q_OBJECT

public:
    UpDownButtons(QLineEdit* buddy, double minimum, double maximum, double step = 1, QWidget* parent = nullptr);

    void stepBy(int steps);

private:
    QLineEdit* m_buddy;
    double m_minimum;
    double m_maximum;
    double m_step;
};

} // namespace tw
