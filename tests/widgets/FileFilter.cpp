// The file dialogs' filters match names in any case: the rewritten patterns, and a real dialog
// listing a folder through them.
#include "widgets/FileFilter.h"

#include <gtest/gtest.h>

#include <QAbstractItemModel>
#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QListView>
#include <QPrinter>
#include <QTest>
#include <QTimer>

#include "support/TempDir.h"
#include "widgets/QtPromptService.h"

namespace {

TEST(FileFilter, EveryLetterOfEveryPatternMatchesEitherCase) {
    const struct {
        const char* asked;
        const char* rewritten;
    } cases[] = {
        {"Bitmap File (*.bmp)", "Bitmap File (*.[bB][mM][pP])"},
        {"Rich Text File (*.RTF)", "Rich Text File (*.[rR][tT][fF])"},
        {"Pictures (*.bmp *.jpg)", "Pictures (*.[bB][mM][pP] *.[jJ][pP][gG])"},
        {"Backup (*.zip);;All Files (*)", "Backup (*.[zZ][iI][pP]);;All Files (*)"},
        {"Data (ZR*.D01)", "Data ([zZ][rR]*.[dD]01)"},
        {"*.txt", "*.[tT][xX][tT]"},
        {"Chosen (*.[ch]pp)", "Chosen (*.[ch]pp)"},
        {"Anything (*)", "Anything (*)"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(widgets::AnyCaseFileFilter(c.asked), c.rewritten) << c.asked;
}

// The names the dialog's list shows once it has read the folder.
QStringList ListedNames(QFileDialog& dialog) {
    auto* view = dialog.findChild<QListView*>("listView");
    QStringList names;
    if (!view) return names;
    for (int wait = 0; wait < 100 && names.isEmpty(); ++wait) {
        QTest::qWait(20);
        const QModelIndex root = view->rootIndex();
        for (int row = 0; row < view->model()->rowCount(root); ++row) {
            if (!view->isRowHidden(row))
                names << view->model()->index(row, 0, root).data().toString();
        }
    }
    names.sort();
    return names;
}

TEST(FileFilter, OpenDialogListsBitmapsWhateverTheCaseOfTheirNames) {
    testsupport::TempDir dir;
    for (const char* name : {"LOGO.BMP", "banner.bmp", "Letter.Bmp", "notes.txt", "bmp"})
        QFile(QString::fromStdString(dir.file(name))).open(QIODevice::WriteOnly);

    QPrinter printer;
    widgets::QtPromptService prompts(printer);
    QStringList listed;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        listed = ListedNames(*dialog);
        dialog->findChild<QLineEdit*>("fileNameEdit")->setText("LOGO.BMP");
        static_cast<QDialog*>(dialog)->accept();  // as the Open button does
    });
    const auto chosen =
        prompts.OpenFileName("Bitmap Image", dir.path().string(), "Bitmap File (*.bmp)");
    EXPECT_EQ(listed, (QStringList{"LOGO.BMP", "Letter.Bmp", "banner.bmp"}));
    EXPECT_EQ(chosen, dir.file("LOGO.BMP"));
}

}  // namespace
