// The save dialog's file name: never a wildcard, the default extension
// applied, and a question before an existing file is replaced.
#include <gtest/gtest.h>

#include <fstream>

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>

#include "qt/Dialogs.h"
#include "qt/FileFilter.h"
#include "support/HeadlessRuntime.h"
#include "ui/Form.h"

namespace {

struct SaveDialogTest : ::testing::Test {
    QTemporaryDir folder;
    ui::HeadlessRuntime rt;
    ui::Form form{rt, "frmDialogs"};
    ui::CommonDialog dlg{form, "CommonDialog1"};

    SaveDialogTest()
    {
        // As the recording log sets it up, the second time round.
        dlg.DefaultExt = ".txt";
        dlg.Filter = "Text File (*.txt)|*.txt| All Files (*.*)|*.*|";
        dlg.FilterIndex = 2;
        dlg.FileName = path("log2.txt");
    }
    std::string path(const char* name) const { return (folder.path() + "/" + name).toStdString(); }
    std::unique_ptr<QFileDialog> dialog() { return qt::makeFileDialog(dlg, ui::DialogKind::Save, nullptr); }

    // The dialog's OK (accept is public on QDialog and reaches the override).
    static void accept(QFileDialog& qd) { static_cast<QDialog&>(qd).accept(); }
    // Answers the next modal box with the button and returns its text.
    static void answerBox(QMessageBox::StandardButton button, QString& shown)
    {
        QTimer::singleShot(0, [button, &shown] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                shown = box->text();
                if (QAbstractButton* b = box->button(button))
                    b->click();
                else
                    box->reject();
            }
        });
    }
};

TEST_F(SaveDialogTest, TheProposedNameKeepsItsExtensionUnderAWildcardFilter)
{
    auto qd = dialog();
    ASSERT_FALSE(qd->selectedFiles().isEmpty());
    EXPECT_EQ(qd->selectedFiles().front().toStdString(), path("log2.txt"));
    EXPECT_EQ(qd->defaultSuffix(), "txt");

    dlg.FileName = path("old.*");
    qd = dialog();
    EXPECT_EQ(qd->selectedFiles().front().toStdString(), path("old.txt"));
}

TEST_F(SaveDialogTest, AWildcardExtensionIsSavedWithTheDefaultOne)
{
    auto qd = dialog();
    qd->selectFile("log3.*");
    accept(*qd);
    EXPECT_EQ(qd->result(), QDialog::Accepted);
    ui::CommonDialog& out = dlg;
    qt::takeChoice(*qd, out);
    EXPECT_EQ(out.FileName, path("log3.txt"));
}

TEST_F(SaveDialogTest, ANameWithAWildcardIsRefused)
{
    auto qd = dialog();
    qd->selectFile("log*.txt");
    QString shown;
    answerBox(QMessageBox::Ok, shown);
    accept(*qd);
    EXPECT_NE(qd->result(), QDialog::Accepted);
    EXPECT_EQ(shown, "A file name cannot hold * or ?.");
}

TEST_F(SaveDialogTest, ReplacingAnExistingFileIsAsked)
{
    std::ofstream(path("old.txt")) << "an earlier log\n";
    auto qd = dialog();
    qd->selectFile("old.txt");
    QString shown;
    answerBox(QMessageBox::No, shown);
    accept(*qd);
    EXPECT_NE(qd->result(), QDialog::Accepted);
    EXPECT_TRUE(shown.contains("old.txt")) << shown.toStdString();

    answerBox(QMessageBox::Yes, shown);
    accept(*qd);
    EXPECT_EQ(qd->result(), QDialog::Accepted);
}

TEST(QtFileName, WildcardsNeverReachAFileName)
{
    EXPECT_EQ(qt::defaultSuffix(".txt"), "txt");
    EXPECT_EQ(qt::defaultSuffix("*.CSV"), "CSV");
    EXPECT_EQ(qt::defaultSuffix("*.*"), "");
    EXPECT_EQ(qt::savableName("/d/log2.*", ".txt"), "/d/log2.txt");
    EXPECT_EQ(qt::savableName("/d/log2.t?t", ".txt"), "/d/log2.txt");
    EXPECT_EQ(qt::savableName("/d/log2.*", ""), "/d/log2");
    EXPECT_EQ(qt::savableName("/d/a.b.*", "*.CSV"), "/d/a.b.CSV");
    EXPECT_EQ(qt::savableName("/d/log2.txt", ".txt"), "/d/log2.txt");
    EXPECT_EQ(qt::savableName("/d/*.txt", ".txt"), "");
    EXPECT_EQ(qt::savableName("/d/.*", ".txt"), "");
    EXPECT_EQ(qt::savableName("/d/", ".txt"), "");
    EXPECT_EQ(qt::savableName("log", ".txt"), "log");  // Qt's default suffix adds ".txt"
}

}  // namespace
