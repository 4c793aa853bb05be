#include "widgets/ui/SelectOnFocus.h"

#include <QEvent>
#include <QLineEdit>
#include <QTimer>

namespace tw {

namespace {

class FocusSelector : public QObject {
public:
    explicit FocusSelector(QLineEdit* field) : QObject(field), m_field(field) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == m_field && event->type() == QEvent::FocusIn) {
            // After the event: a click that gave the focus goes on to place the cursor, which would drop the choice.
            QTimer::singleShot(0, m_field, &QLineEdit::selectAll);
        }
        return false;
    }

private:
    QLineEdit* m_field;
};

} // namespace

void selectAllOnFocus(QLineEdit* field) {
    field->installEventFilter(new FocusSelector(field));
}

} // namespace tw
