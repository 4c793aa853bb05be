#include "measure/ui/addInterfaceDialog.h"
#include "support/qt_ModalAnswerer.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <gmock/gmock.h>

using namespace tw;
using testing::ElementsAre;

namespace {

class AddInterfaceDialogTest : public testing::Test {
protected:
    template <typename T> static T* child(QWidget& w, const char* name) {
        T* c = w.findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(c, nullptr) << name;
        return c;
    }
    static QRadioButton* option(QWidget& w, int index) {
        for (QRadioButton* b : w.findChildren<QRadioButton*>(QStringLiteral("Option1"))) {
            if (b->property("index").toInt() == index) {
                return b;
            }
        }
        return nullptr;
    }
    static std::vector<std::string> items(QComboBox* combo) {
        std::vector<std::string> out;
        for (int i = 0; i < combo->count(); ++i) {
            out.push_back(combo->itemText(i).toStdString());
        }
        return out;
    }
    // Chooses "Own IP", types the text and presses Add, answering any message box with OK.
    static void addTyped(addInterfaceDialog& dlg, twtest::ModalAnswerer& answerer, const QString& text) {
        option(dlg, addInterfaceDialog::kOwnIp)->click();
        child<QLineEdit>(dlg, "ipText")->setText(text);
        answerer.clickMessageBox(QMessageBox::Ok);
        child<QPushButton>(dlg, "OKButton")->click();
    }

    const std::vector<std::string> addresses{"127.0.0.1", "192.168.5.7", ""};
    const std::vector<std::string> descriptions{"lo", "eth0", "tun0"};
};

TEST_F(AddInterfaceDialogTest, OpensWithTheGivenListsAndTheHardwareOptionChosen) {
    addInterfaceDialog dlg({addresses, descriptions}, {});
    EXPECT_EQ(dlg.windowTitle(), "Add connection");
    EXPECT_THAT(items(child<QComboBox>(dlg, "interfaceCombo")), ElementsAre("lo", "eth0", "tun0"));
    EXPECT_THAT(items(child<QComboBox>(dlg, "ipCombo")), ElementsAre("127.0.0.1", "192.168.5.7", ""));
    EXPECT_EQ(child<QComboBox>(dlg, "interfaceCombo")->currentIndex(), 0);
    EXPECT_EQ(child<QComboBox>(dlg, "ipCombo")->currentIndex(), 0);
    EXPECT_EQ(child<QLineEdit>(dlg, "ipText")->text(), "123.123.123.*");
    EXPECT_EQ(option(dlg, 0)->text(), "Hardware interface");
    EXPECT_EQ(option(dlg, 1)->text(), "Found IP");
    EXPECT_EQ(option(dlg, 2)->text(), "Own IP");
    EXPECT_TRUE(option(dlg, 0)->isChecked());
    EXPECT_EQ(child<QPushButton>(dlg, "OKButton")->text(), "Add");
    EXPECT_EQ(child<QPushButton>(dlg, "CancelButton")->text(), "Cancel");
}

TEST_F(AddInterfaceDialogTest, EachOptionEnablesOnlyItsOwnControls) {
    addInterfaceDialog dlg({addresses, descriptions}, {});
    const char* const controls[3][2] = {{"Label1", "interfaceCombo"}, {"Label2", "ipCombo"}, {"Label3", "ipText"}};
    for (int chosen : {0, 1, 2, 0}) {
        option(dlg, chosen)->click();
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(child<QWidget>(dlg, controls[i][0])->isEnabled(), i == chosen) << chosen;
            EXPECT_EQ(child<QWidget>(dlg, controls[i][1])->isEnabled(), i == chosen) << chosen;
        }
    }
}

// Typed text with a star is a range, without one a single address.
TEST_F(AddInterfaceDialogTest, AddsTheChosenInterfaceOrAddressOrTheTypedText) {
    const struct {
        int option;
        const char* control; // the combo whose second entry is chosen, or the typed text
        MonitoredConnection expected;
    } cases[] = {
        {addInterfaceDialog::kHardwareInterface, "interfaceCombo", {kKindInterface, "eth0"}},
        {addInterfaceDialog::kFoundIp, "ipCombo", {kKindSingleIp, "192.168.5.7"}},
        {addInterfaceDialog::kOwnIp, "192.168.*.*", {kKindIpRange, "192.168.*.*"}},
        {addInterfaceDialog::kOwnIp, "192.168.1.5", {kKindSingleIp, "192.168.1.5"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.control);
        twtest::ModalAnswerer answerer;
        addInterfaceDialog dlg({addresses, descriptions}, {});
        if (c.option == addInterfaceDialog::kOwnIp) {
            addTyped(dlg, answerer, c.control);
        } else {
            option(dlg, c.option)->click();
            child<QComboBox>(dlg, c.control)->setCurrentIndex(1);
            child<QPushButton>(dlg, "OKButton")->click();
        }
        EXPECT_EQ(dlg.result(), QDialog::Accepted);
        EXPECT_EQ(dlg.connection(), c.expected);
        EXPECT_TRUE(answerer.texts.empty());
    }
}

TEST_F(AddInterfaceDialogTest, InvalidTypedTextIsRefusedWithTheTextSelectedForCorrection) {
    for (const char* bad : {"192.168.1", "192.168.1.256", "192.168.1.1000", "999.1.1.1", "192.168..5"}) {
        twtest::ModalAnswerer answerer;
        addInterfaceDialog dlg({addresses, descriptions}, {});
        dlg.show();
        addTyped(dlg, answerer, bad);
        EXPECT_THAT(answerer.texts, ElementsAre("The IP range entered is not a valid IP range.\nPlease correct it."))
            << bad;
        EXPECT_TRUE(dlg.isVisible()) << bad;
        QLineEdit* text = child<QLineEdit>(dlg, "ipText");
        EXPECT_EQ(dlg.focusWidget(), text) << bad;
        EXPECT_EQ(text->selectedText(), QString::fromLatin1(bad));
    }
}

TEST_F(AddInterfaceDialogTest, AConnectionAlreadyListedIsRefused) {
    const std::vector<MonitoredConnection> existing{{kKindInterface, "lo"}, {kKindSingleIp, "192.168.5.7"}};

    twtest::ModalAnswerer sameNameAnswer;
    addInterfaceDialog sameName({addresses, descriptions}, existing);
    sameName.show();
    sameNameAnswer.clickMessageBox(QMessageBox::Ok);
    child<QPushButton>(sameName, "OKButton")->click();
    EXPECT_TRUE(sameName.isVisible());
    EXPECT_THAT(sameNameAnswer.texts, ElementsAre("The interface has already been added!"));

    // The same address picked from the list and typed is the same "Single IP" row.
    twtest::ModalAnswerer typedAnswer;
    addInterfaceDialog typed({addresses, descriptions}, existing);
    typed.show();
    addTyped(typed, typedAnswer, "192.168.5.7");
    EXPECT_TRUE(typed.isVisible());
    EXPECT_THAT(typedAnswer.texts, ElementsAre("The interface has already been added!"));

    twtest::ModalAnswerer otherKindAnswer;
    addInterfaceDialog otherKind({addresses, descriptions}, {{kKindIpRange, "192.168.5.7"}});
    addTyped(otherKind, otherKindAnswer, "192.168.5.7");
    EXPECT_EQ(otherKind.result(), QDialog::Accepted);
}

// An interface without an address cannot be added as a found address either.
TEST_F(AddInterfaceDialogTest, EmptyListsSelectNothingAndOnlyTypedTextCanBeAdded) {
    addInterfaceDialog dlg({}, {});
    dlg.show();
    EXPECT_EQ(child<QComboBox>(dlg, "interfaceCombo")->currentIndex(), -1);
    EXPECT_EQ(child<QComboBox>(dlg, "ipCombo")->currentIndex(), -1);
    child<QPushButton>(dlg, "OKButton")->click();
    EXPECT_TRUE(dlg.isVisible());
    option(dlg, addInterfaceDialog::kFoundIp)->click();
    child<QPushButton>(dlg, "OKButton")->click();
    EXPECT_TRUE(dlg.isVisible());
    twtest::ModalAnswerer answerer;
    addTyped(dlg, answerer, "10.0.0.1");
    EXPECT_EQ(dlg.result(), QDialog::Accepted);

    addInterfaceDialog noAddress({addresses, descriptions}, {});
    noAddress.show();
    option(noAddress, addInterfaceDialog::kFoundIp)->click();
    child<QComboBox>(noAddress, "ipCombo")->setCurrentIndex(2);
    child<QPushButton>(noAddress, "OKButton")->click();
    EXPECT_TRUE(noAddress.isVisible());
}

TEST_F(AddInterfaceDialogTest, CancelClosesWithoutAResult) {
    addInterfaceDialog dlg({addresses, descriptions}, {});
    dlg.show();
    child<QPushButton>(dlg, "CancelButton")->click();
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_EQ(dlg.result(), QDialog::Rejected);
}

} // namespace
