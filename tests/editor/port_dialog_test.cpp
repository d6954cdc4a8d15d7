// The port dialog with the system's listing played by a stand-in: ports plugged in and out
// while it is open, the lone port offered in place of a missing one, typed names.
#include <atomic>
#include <memory>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSettings>
#include <QTest>

#include "device/port_names.h"
#include "editor/app/form_storage.h"
#include "editor/dialogs/port_dialog.h"
#include "full_editor_fixture.h"

namespace kadr::editor::testing {
namespace {

// The ports a stand-in system has: COM7 (an adapter), and COM12 while `plugged` is set. The
// listing runs on the dialog's worker thread.
struct FakeSystem {
    std::atomic<bool> plugged{false};

    PortScan::Lister Lister() {
        return [this] {
            std::vector<SystemPort> ports{
                {"COM7", DefaultComDevice(7), "USB-SERIAL CH340 (COM7)", 0x1a86, 0x7523}};
            if (plugged) {
                ports.push_back({"COM12", DefaultComDevice(12), "", -1, -1});
            }
            return ports;
        };
    }
};

class PortDialogTest : public FullEditorTest {
  protected:
    TfmParam& Param() { return *windows_.fmParam; }

    // Opens the dialog with the stand-in system, waits for its first listing and hands it over.
    void WithDialog(std::function<void(TfmParam&)> act) {
        Param().SetPortLister(system_.Lister());
        ModalScript script;
        script.Then(Answer<TfmParam>("the port dialog", [act](TfmParam& dialog) {
            EXPECT_TRUE(QTest::qWaitFor([&] { return dialog.Listings() > 0; }, 5000));
            act(dialog);
            if (dialog.isVisible()) {
                dialog.reject();
            }
        }));
        Run(Main().Actions().N12, script);
    }

    static QStringList Items(const QComboBox* box) {
        QStringList items;
        for (int i = 0; i < box->count(); ++i) {
            items << box->itemText(i);
        }
        return items;
    }

    FakeSystem system_;
};

TEST_F(PortDialogTest, TheLonePresentPortIsOfferedInPlaceOfTheMissingStoredOneAndStored) {
    WithDialog([](TfmParam& dialog) {
        EXPECT_EQ(Items(dialog.ComboBox1()),
                  (QStringList{"Com1 (нет)", "Com2 (нет)", "Com3 (нет)", "Com4 (нет)",
                               "COM7 — USB-SERIAL CH340 (COM7)"}));
        EXPECT_EQ(dialog.ComboBox1()->currentIndex(), 4);
        EXPECT_TRUE(dialog.PortNote()->isVisibleTo(&dialog));
        EXPECT_EQ(dialog.PortNote()->text(),
                  "Com1 не подключён; выбран единственный подключённый порт: COM7 — "
                  "USB-SERIAL CH340 (COM7).");
        dialog.accept();
    });
    EXPECT_EQ(Main().Comm().ChosenPort(), "Com7");
    EXPECT_EQ(Main().Comm().DeviceName(), DefaultComDevice(7));
    Restart();
    QSettings store(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Tarnovik"),
                    FormStorage::ProgramName());
    EXPECT_EQ(store.value(QStringLiteral("TfmMain/VSSComm321_CommPort")).toString(), "Com7");
    EXPECT_EQ(Main().Comm().ChosenPort(), "Com7");
    EXPECT_EQ(Param().ComboBox1()->currentText(), "COM7") << "before any listing: its name";
}

TEST_F(PortDialogTest, APortPluggedInShowsWithoutDisturbingWhatIsTyped) {
    WithDialog([this](TfmParam& dialog) {
        QLineEdit* edit = dialog.ComboBox1()->lineEdit();
        edit->selectAll();
        QTest::keyClicks(edit, QStringLiteral("com1"));
        const int before = dialog.Listings();
        system_.plugged = true;
        EXPECT_TRUE(QTest::qWaitFor([&] { return dialog.ComboBox1()->count() == 6; },
                                    2 * TfmParam::kRefreshMs + 500))
            << "a port plugged in shows within 2 s";
        EXPECT_GT(dialog.Listings(), before);
        EXPECT_EQ(dialog.ComboBox1()->itemText(5), "COM12 — подключён");
        EXPECT_EQ(edit->text(), "com1");
        EXPECT_EQ(edit->cursorPosition(), 4);
        QTest::keyClick(edit, Qt::Key_2);
        QTest::keyClick(edit, Qt::Key_Return);
        EXPECT_FALSE(dialog.isVisible()) << "Enter presses OK";
    });
    EXPECT_EQ(Main().Comm().ChosenPort(), "Com12");
}

TEST_F(PortDialogTest, AChoiceTheUserMadeStaysThroughRefreshesAndUnplugging) {
    system_.plugged = true;
    WithDialog([this](TfmParam& dialog) {
        dialog.ComboBox1()->setCurrentIndex(5);  // COM12
        EXPECT_FALSE(dialog.PortNote()->isVisibleTo(&dialog)) << "two present: nothing offered";
        system_.plugged = false;
        EXPECT_TRUE(
            QTest::qWaitFor([&] { return dialog.ComboBox1()->currentText() == "COM12 (нет)"; },
                            2 * TfmParam::kRefreshMs + 500));
        dialog.accept();
    });
    EXPECT_EQ(Main().Comm().ChosenPort(), "Com12");
}

}  // namespace
}  // namespace kadr::editor::testing
