#pragma once

#include <QDialog>

class QLabel;

namespace tw {

// "About Tallywave": logo, version "Version M.m Build #r", the link to the maker's web page and "Close".
class frmAbout : public QDialog {
    Q_OBJECT
public:
    explicit frmAbout(QWidget* parent = nullptr);

    QLabel* linkLabel() const { return m_link; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void setLinkUnderlined(bool underlined);

    QLabel* m_link;
};

} // namespace tw
