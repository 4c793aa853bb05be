#include "history/ui/ExportDialog.h"

#include "platform/FileSystem.h"
#include "widgets/ui/MessageBoxes.h"
#include "widgets/ui/UiText.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>
#include <QVBoxLayout>

namespace tw {

namespace {

QString suffixOf(ExportFormat format) {
    return toQString(exportFileSuffix(format));
}

QString saveDialog(QWidget* owner, const QString& proposed, ExportFormat format) {
    const QString filter =
        format == ExportFormat::Csv ? QStringLiteral("CSV (*.csv)") : QStringLiteral("JSON (*.json)");
    return QFileDialog::getSaveFileName(owner, QStringLiteral("Export logs"), proposed, filter);
}

} // namespace

ExportDialog::ExportDialog(const clsADT& history, int year, int month, int day, const QString& periodName,
                           QWidget* parent)
    : QDialog(parent), m_history(history), m_year(year), m_month(month), m_day(day), m_chooser(saveDialog) {
    setObjectName(QStringLiteral("ExportDialog"));
    setWindowTitle(QStringLiteral("Export logs"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    auto* what = new QGroupBox(QStringLiteral("Export"), this);
    auto* whatLayout = new QVBoxLayout(what);
    m_period = new QRadioButton(year != 0 ? QStringLiteral("The selected period: %1").arg(periodName)
                                          : QStringLiteral("The selected period"),
                                what);
    m_period->setObjectName(QStringLiteral("periodOption"));
    m_everything = new QRadioButton(QStringLiteral("Everything"), what);
    m_everything->setObjectName(QStringLiteral("everythingOption"));
    m_period->setEnabled(year != 0);
    (year != 0 ? m_period : m_everything)->setChecked(true);
    whatLayout->addWidget(m_period);
    whatLayout->addWidget(m_everything);

    auto* format = new QGroupBox(QStringLiteral("Format"), this);
    auto* formatLayout = new QVBoxLayout(format);
    m_csv = new QRadioButton(QStringLiteral("CSV, for spreadsheets"), format);
    m_csv->setObjectName(QStringLiteral("csvOption"));
    m_json = new QRadioButton(QStringLiteral("JSON"), format);
    m_json->setObjectName(QStringLiteral("jsonOption"));
    m_csv->setChecked(true);
    formatLayout->addWidget(m_csv);
    formatLayout->addWidget(m_json);

    auto* fileRow = new QHBoxLayout;
    auto* fileLabel = new QLabel(QStringLiteral("File:"), this);
    m_path = new QLineEdit(this);
    m_path->setObjectName(QStringLiteral("exportPath"));
    m_path->setMinimumWidth(320);
    fileLabel->setBuddy(m_path);
    auto* browse = new QPushButton(QStringLiteral("Browse..."), this);
    browse->setObjectName(QStringLiteral("browseButton"));
    browse->setAutoDefault(false);
    fileRow->addWidget(fileLabel);
    fileRow->addWidget(m_path, 1);
    fileRow->addWidget(browse);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("OKButton"));
    ok->setDefault(true);
    buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole)
        ->setObjectName(QStringLiteral("CancelButton"));

    auto* layout = new QVBoxLayout(this);
    auto* choices = new QHBoxLayout;
    choices->addWidget(what, 1);
    choices->addWidget(format, 1);
    layout->addLayout(choices);
    layout->addLayout(fileRow);
    layout->addWidget(buttons);

    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    m_proposed = proposedName();
    m_path->setText(QDir(folder.isEmpty() ? QDir::homePath() : folder).filePath(m_proposed));

    for (QRadioButton* choice : {m_period, m_everything, m_csv, m_json}) {
        connect(choice, &QRadioButton::toggled, this, &ExportDialog::proposeName);
    }
    connect(browse, &QPushButton::clicked, this, &ExportDialog::browse);
    connect(buttons, &QDialogButtonBox::accepted, this, &ExportDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &ExportDialog::reject);
}

QString ExportDialog::path() const {
    return m_path->text().trimmed();
}

ExportFormat ExportDialog::format() const {
    return m_json->isChecked() ? ExportFormat::Json : ExportFormat::Csv;
}

QString ExportDialog::proposedName() const {
    QString name = QStringLiteral("tallywave");
    if (m_period->isChecked() && m_year != 0) {
        name += QStringLiteral("-%1").arg(m_year);
        if (m_month != 0) {
            name += QStringLiteral("-%1").arg(m_month, 2, 10, QLatin1Char('0'));
        }
        if (m_day != 0) {
            name += QStringLiteral("-%1").arg(m_day, 2, 10, QLatin1Char('0'));
        }
    }
    return name + QLatin1Char('.') + suffixOf(format());
}

void ExportDialog::proposeName() {
    const QFileInfo current(path());
    const QString next = proposedName();
    if (current.fileName() == m_proposed) {
        m_path->setText(current.dir().filePath(next));
    } else if (current.suffix() == QLatin1String("csv") || current.suffix() == QLatin1String("json")) {
        // A name of the user's own keeps it, with the suffix of the format.
        m_path->setText(current.dir().filePath(current.completeBaseName() + QLatin1Char('.') + suffixOf(format())));
    }
    m_proposed = next;
}

void ExportDialog::browse() {
    const QString chosen = m_chooser(this, path(), format());
    if (!chosen.isEmpty()) {
        m_path->setText(chosen);
    }
}

void ExportDialog::accept() {
    const QString file = path();
    if (file.isEmpty() || QFileInfo(file).isDir()) {
        showMessageBox(this, QStringLiteral("Choose the file to export to."), QMessageBox::Information);
        focusAndSelect(m_path);
        return;
    }
    const std::vector<const clsSessionData*> sessions =
        m_everything->isChecked() ? sessionsOfPeriod(m_history) : sessionsOfPeriod(m_history, m_year, m_month, m_day);
    if (!writeFileAtomically(file.toStdString(), exportSessions(sessions, format()))) {
        showMessageBox(this, QStringLiteral("Couldn't export to %1").arg(QDir::toNativeSeparators(file)),
                       QMessageBox::Warning);
        focusAndSelect(m_path);
        return;
    }
    QDialog::accept();
}

} // namespace tw
