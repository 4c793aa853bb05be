#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QDialogButtonBox>
#include <QMessageBox>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <string>
#include <vector>

namespace twtest {

// Answers modal dialogs that a test's action opens: polls for the active modal widget and hands it to the next
// handler. Record what was shown, then assert after exec() returns, never inside the handler.
class ModalAnswerer {
public:
    using Handler = std::function<void(QWidget*)>;

    ModalAnswerer() {
        m_timer.setInterval(5);
        QObject::connect(&m_timer, &QTimer::timeout, [this] { poll(); });
        m_timer.start();
    }

    // Queue a handler for the next modal widget that appears.
    void then(Handler h) { m_handlers.push_back(std::move(h)); }

    // Queue: click the message box button with this standard role, recording the box's text.
    void clickMessageBox(QMessageBox::StandardButton button) {
        then([this, button](QWidget* w) {
            if (auto* box = qobject_cast<QMessageBox*>(w)) {
                texts.push_back(box->text().toStdString());
                if (auto* b = box->button(button)) {
                    b->click();
                    return;
                }
                box->done(button);
            }
        });
    }

    std::vector<std::string> texts; // texts of the message boxes answered
    int pending() const { return static_cast<int>(m_handlers.size()); }

private:
    void poll() {
        QWidget* w = QApplication::activeModalWidget();
        // A widget is marked once answered: a new box may be created at the address of the last one.
        if (!w || w->property(kAnswered).toBool() || m_handlers.empty()) {
            return;
        }
        w->setProperty(kAnswered, true);
        Handler h = std::move(m_handlers.front());
        m_handlers.erase(m_handlers.begin());
        h(w);
    }

    static constexpr const char* kAnswered = "twtestAnswered";

    QTimer m_timer;
    std::vector<Handler> m_handlers;
};

} // namespace twtest
