#include "history/ui/frmpopupAddLogs.h"
#include "history/ui/frmpopupEditLogs.h"
#include "support/qt_ModalAnswerer.h"

#include <QApplication>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gmock/gmock.h>

using namespace tw;

namespace {

QLineEdit* field(QWidget* dialog, const char* name) {
    return dialog->findChild<QLineEdit*>(name);
}

QPushButton* button(QWidget* dialog, const QString& text) {
    for (auto* b : dialog->findChildren<QPushButton*>()) {
        if (b->text() == text) {
            return b;
        }
    }
    return nullptr;
}

} // namespace

TEST(frmpopupAddLogs, OffersTheWholeDayWithoutTrafficAndRefusesItAsIs) {
    frmpopupAddLogs dialog;
    dialog.setValues(QDate(2004, 5, 6));
    EXPECT_EQ(dialog.windowTitle(), "Add log");
    EXPECT_EQ(field(&dialog, "stTime")->text(), "00:00");
    EXPECT_EQ(field(&dialog, "enTime")->text(), "23:59");
    EXPECT_EQ(field(&dialog, "maxulText")->text(), "0");
    EXPECT_EQ(dialog.findChild<QLabel*>("endDTLabel")->text(), "2004-05-06");
    dialog.show();
    QApplication::setActiveWindow(&dialog);

    twtest::ModalAnswerer answerer;
    answerer.clickMessageBox(QMessageBox::Ok);
    button(&dialog, "Add")->click();
    ASSERT_EQ(answerer.texts.size(), 1u);
    EXPECT_EQ(answerer.texts[0], "Download and upload can't both be zero.");
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    QLineEdit* download = field(&dialog, "dlText");
    EXPECT_EQ(download->selectedText(), "0");
}

TEST(frmpopupAddLogs, AcceptsAnUploadOfOneAndBuildsTheSessionOnThePickedDate) {
    frmpopupAddLogs dialog;
    dialog.setValues(QDate(2004, 5, 6));
    dialog.findChild<QDateEdit*>("startDTPicker")->setDate(QDate(2004, 5, 9));
    EXPECT_EQ(dialog.findChild<QLabel*>("endDTLabel")->text(), "2004-05-09");
    field(&dialog, "ulText")->setText("1");
    field(&dialog, "stTime")->setText("9:15");
    dialog.show();
    button(&dialog, "Add")->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    const clsSessionData s = dialog.session();
    EXPECT_EQ(s.startDate, DateTime::fromCivil(2004, 5, 9, 9, 15));
    EXPECT_EQ(s.stopDate, DateTime::fromCivil(2004, 5, 9, 23, 59));
    EXPECT_EQ(s.uploaded, 1);
}

TEST(frmpopupAddLogs, CancelMarksTheDownloadFieldAndRejects) {
    frmpopupAddLogs dialog;
    dialog.setValues(QDate(2004, 5, 6));
    field(&dialog, "stTime")->setText("nonsense");
    dialog.show();
    button(&dialog, "Cancel")->click();
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(field(&dialog, "dlText")->text(), "Cancel");
}

TEST(frmpopupEditLogs, ShowsTheSessionToTheMinuteWithPlainAmountsAndItsOwnZeroMessage) {
    clsSessionData s;
    s.startDate = DateTime::fromCivil(2004, 5, 6, 9, 30, 45);
    s.stopDate = DateTime::fromCivil(2004, 5, 6, 11, 2);
    s.downloaded = 123456789;
    s.uploaded = 2345678;
    s.maxDownloadSpeed = 145000;
    s.maxUploadSpeed = 31000;
    frmpopupEditLogs dialog;
    dialog.setValues(s);
    EXPECT_EQ(dialog.windowTitle(), "Edit log");
    EXPECT_EQ(field(&dialog, "stTime")->text(), "09:30");
    EXPECT_EQ(field(&dialog, "enTime")->text(), "11:02");
    EXPECT_EQ(field(&dialog, "dlText")->text(), "123456789");
    EXPECT_EQ(field(&dialog, "maxdlText")->text(), "145000");

    field(&dialog, "dlText")->setText("0");
    field(&dialog, "ulText")->setText("0");
    field(&dialog, "maxulText")->setText("2147483647");
    dialog.show();
    twtest::ModalAnswerer answerer;
    answerer.clickMessageBox(QMessageBox::Ok);
    answerer.clickMessageBox(QMessageBox::Ok);
    button(&dialog, "Update")->click();
    QTest::qWait(20); // lets the answerer see that the first box is gone
    field(&dialog, "maxulText")->setText("2147483646");
    button(&dialog, "Update")->click();
    ASSERT_EQ(answerer.texts.size(), 2u);
    EXPECT_EQ(answerer.texts[0], "The upload speed is too large.");
    EXPECT_EQ(answerer.texts[1], "Download and upload can't both be zero.\nPlease change at least one of them or "
                                 "simply\nremove the log in the View logs window.");
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
}

// Typing into a field replaces what it shows, whether the field was clicked or tabbed into.
TEST(frmpopupAddLogs, NumberFieldsChooseTheirWholeTextWhenTheyTakeTheFocus) {
    frmpopupAddLogs dialog;
    dialog.setValues(QDate(2004, 5, 6));
    dialog.show();
    QApplication::setActiveWindow(&dialog);
    QLineEdit* download = field(&dialog, "dlText");
    download->setText("12345");
    QTest::mouseClick(download, Qt::LeftButton, {}, QPoint(download->width() - 4, download->height() / 2));
    QCoreApplication::processEvents();
    ASSERT_TRUE(download->hasFocus());
    EXPECT_EQ(download->selectedText(), "12345");
    QTest::keyClicks(download, "7");
    EXPECT_EQ(download->text(), "7");

    QTest::keyClick(download, Qt::Key_Tab);
    QCoreApplication::processEvents();
    QLineEdit* upload = field(&dialog, "ulText");
    ASSERT_TRUE(upload->hasFocus());
    EXPECT_EQ(upload->selectedText(), "0");
}
