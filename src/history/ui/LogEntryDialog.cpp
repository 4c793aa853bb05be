#include "history/ui/LogEntryDialog.h"

#include "widgets/ui/MessageBoxes.h"
#include "widgets/ui/SelectOnFocus.h"
#include "widgets/ui/UiText.h"

#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace tw {

namespace {

const QString kDateFormat = QStringLiteral("yyyy-MM-dd");

QLineEdit* makeField(const char* name, QWidget* parent) {
    auto* field = new QLineEdit(parent);
    field->setObjectName(QString::fromLatin1(name));
    selectAllOnFocus(field);
    return field;
}

} // namespace

LogEntryDialog::LogEntryDialog(LogEntryDialogKind kind, const QString& caption, const QString& confirmText,
                               QWidget* parent)
    : QDialog(parent), m_kind(kind) {
    setWindowTitle(caption);

    m_date = new QDateEdit(this);
    m_date->setObjectName(QStringLiteral("startDTPicker"));
    m_date->setCalendarPopup(true);
    m_date->setDisplayFormat(kDateFormat);
    m_endDate = new QLabel(this);
    m_endDate->setObjectName(QStringLiteral("endDTLabel"));
    m_start = makeField("stTime", this);
    m_end = makeField("enTime", this);
    m_downloaded = makeField("dlText", this);
    m_uploaded = makeField("ulText", this);
    m_maxDown = makeField("maxdlText", this);
    m_maxUp = makeField("maxulText", this);
    for (QLineEdit* time : {m_start, m_end}) {
        time->setMaximumWidth(70);
    }

    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(tr("Log started:"), this), 0, 0);
    grid->addWidget(m_date, 0, 1);
    grid->addWidget(m_start, 0, 2);
    grid->addWidget(new QLabel(tr("Log ended:"), this), 1, 0);
    grid->addWidget(m_endDate, 1, 1);
    grid->addWidget(m_end, 1, 2);
    const std::pair<const char*, QLineEdit*> amounts[] = {{"Download:", m_downloaded},
                                                          {"Upload:", m_uploaded},
                                                          {"Download speed:", m_maxDown},
                                                          {"Upload speed:", m_maxUp}};
    int row = 2;
    for (const auto& [label, field] : amounts) {
        grid->addWidget(new QLabel(tr(label), this), row, 0);
        grid->addWidget(field, row, 1);
        grid->addWidget(new QLabel(row < 4 ? tr("bytes") : tr("bytes/s"), this), row, 2);
        ++row;
    }

    auto* confirmButton = new QPushButton(confirmText, this);
    confirmButton->setObjectName(QStringLiteral("confirmButton"));
    confirmButton->setDefault(true);
    auto* cancelButton = new QPushButton(tr("Cancel"), this);
    cancelButton->setObjectName(QStringLiteral("cancelButton"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(confirmButton);
    buttons->addWidget(cancelButton);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);

    connect(m_date, &QDateEdit::dateChanged, this,
            [this](const QDate& d) { m_endDate->setText(d.toString(kDateFormat)); });
    connect(confirmButton, &QPushButton::clicked, this, &LogEntryDialog::confirm);
    connect(cancelButton, &QPushButton::clicked, this, &LogEntryDialog::cancel);
}

void LogEntryDialog::fill(const QDate& date, const QString& start, const QString& end, const QString& downloaded,
                          const QString& uploaded, const QString& maxDown, const QString& maxUp) {
    m_date->setDate(date);
    m_endDate->setText(date.toString(kDateFormat));
    m_start->setText(start);
    m_end->setText(end);
    m_downloaded->setText(downloaded);
    m_uploaded->setText(uploaded);
    m_maxDown->setText(maxDown);
    m_maxUp->setText(maxUp);
}

QDate LogEntryDialog::date() const {
    return m_date->date();
}

LogEntryTexts LogEntryDialog::texts() const {
    return {m_start->text().toStdString(),    m_end->text().toStdString(),     m_downloaded->text().toStdString(),
            m_uploaded->text().toStdString(), m_maxDown->text().toStdString(), m_maxUp->text().toStdString()};
}

clsSessionData LogEntryDialog::session() const {
    const QDate d = date();
    return sessionFromLogEntry(DateTime::fromCivil(d.year(), d.month(), d.day()), texts());
}

QLineEdit* LogEntryDialog::fieldOf(LogEntryField field) const {
    switch (field) {
    case LogEntryField::StartTime:
        return m_start;
    case LogEntryField::EndTime:
        return m_end;
    case LogEntryField::Downloaded:
        return m_downloaded;
    case LogEntryField::Uploaded:
        return m_uploaded;
    case LogEntryField::MaxDownloadSpeed:
        return m_maxDown;
    case LogEntryField::MaxUploadSpeed:
        return m_maxUp;
    }
    return m_downloaded;
}

void LogEntryDialog::confirm() {
    const std::optional<LogEntryProblem> problem = checkLogEntry(texts(), m_kind);
    if (!problem) {
        accept();
        return;
    }
    showMessageBox(this, toQString(problem->message), QMessageBox::Critical);
    focusAndSelect(fieldOf(problem->field));
}

void LogEntryDialog::cancel() {
    // Callers written against the field protocol read "Cancel" here; exec() also says Rejected.
    m_downloaded->setText(QStringLiteral("Cancel"));
    reject();
}

} // namespace tw
