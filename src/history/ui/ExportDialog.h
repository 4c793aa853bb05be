#pragma once

// moc cannot parse the C++20 library headers these pull in.
#ifndef Q_MOC_RUN
#include "history/HistoryExport.h"
#endif

#include <QDialog>
#include <QString>

#include <functional>

class QLineEdit;
class QRadioButton;

namespace tw {

// "Export logs": writes the sessions of the period the log viewer shows, or of the whole history, to a file as CSV
// or JSON (see exportSessions). The file is replaced as a whole, never left half written.
class ExportDialog : public QDialog {
    Q_OBJECT
public:
    // The period as the viewer shows it (year, month, day; 0 where its level has none, year 0 for none) and its
    // name ("March 2004"). The history must outlive the dialog.
    ExportDialog(const clsADT& history, int year, int month, int day, const QString& periodName,
                 QWidget* parent = nullptr);

    // What "Browse..." asks for the file; by default the desktop's save dialog. An empty answer changes nothing.
    using FileChooser = std::function<QString(QWidget* owner, const QString& proposed, ExportFormat format)>;
    void setFileChooser(FileChooser chooser) { m_chooser = std::move(chooser); }

    QString path() const;
    ExportFormat format() const;

protected:
    void accept() override;

private:
    void browse();
    // The proposed file name follows the choices until the user names the file.
    void proposeName();
    QString proposedName() const;

    const clsADT& m_history;
    int m_year;
    int m_month;
    int m_day;
    FileChooser m_chooser;
    QString m_proposed; // the name proposed last
    QRadioButton* m_period = nullptr;
    QRadioButton* m_everything = nullptr;
    QRadioButton* m_csv = nullptr;
    QRadioButton* m_json = nullptr;
    QLineEdit* m_path = nullptr;
};

} // namespace tw
