#pragma once

#include "common/ProgressSink.h"

#include <QWidget>

class QLabel;
class QProgressBar;

namespace tw {

// The wait window shown while the log viewer reads the history: logo, "Please wait...", a status line and the
// progress bar "ProgressBar1" (0..100). It takes no keys or clicks; its user shows and closes it.
class frmSplash : public QWidget, public ProgressSink {
    Q_OBJECT
public:
    explicit frmSplash(QWidget* parent = nullptr);

    // Sets the bar; values outside 0..100 are clamped.
    void Progress(int value);
    // Sets the status line and lets the window repaint while the caller keeps working.
    void updateLabel(const QString& text);

    void setLabel(std::string_view text) override;
    void setProgress(int percent) override { Progress(percent); }

    int progressValue() const;
    QString statusText() const;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    QLabel* m_status;
    QProgressBar* m_bar;
};

} // namespace tw
