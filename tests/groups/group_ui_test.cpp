// The file group dialogs and commands, driven through the dialog, message and
// file dialog seams with a scripted host.

#include <gtest/gtest.h>

#include <cerrno>

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>

#include "core/command_target.h"
#include "groups/group_commands.h"
#include "groups/group_dialogs.h"
#include "platform/program_folders.h"
#include "platform/settings_store.h"
#include "support/scratch_volume.h"
#include "support/seams.h"
#include "support/test_env.h"

using namespace vesk;
using namespace vesk::groups;
using vesk::test::ScriptedSeams;

namespace {

class GroupUiTest : public ::testing::Test {
  protected:
    void SetUp() override {
        test::ClearSettings();
        QFile::remove(UsersDataFile(kGroupListFile));
    }
    void TearDown() override { test::InstallNonBlockingSeams(); }

    static void SaveList(const CFileGroup& list) { ASSERT_TRUE(list.Save(kGroupListFile)); }
    static CFileGroup LoadedList() {
        CFileGroup list;
        list.Load(kGroupListFile);
        return list;
    }
    static std::string ListBytes() { return test::ReadTestFile(UsersDataFile(kGroupListFile)); }

    // Runs every modal dialog of the given type through the handler; others are cancelled.
    template <typename Dialog>
    static void OnDialog(std::function<int(Dialog&)> handler) {
        dialog_seam::SetScript([handler](QDialog& dialog) {
            if (auto* d = dynamic_cast<Dialog*>(&dialog))
                return handler(*d);
            return int(QDialog::Rejected);
        });
    }
    // The name dialog answers with this name and OK.
    static void NameWith(const QString& name) {
        OnDialog<CGroupNameDlg>([name](CGroupNameDlg& d) {
            d.nameEdit->setText(name);
            d.okButton->click();
            return d.result();
        });
    }
    static void AddToSelection(CReportList* list, int row) {
        list->selectionModel()->select(list->model()->index(row, 0),
                                       QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }
};

// Documents the host holds; opening appends to it, closing removes.
struct FakeApp {
    struct Doc {
        QString path;
        bool byGroup;
    };
    std::vector<Doc> docs;
    QStringList openable;          // files that open
    std::vector<QString> prompts;  // save prompts run, in order
    QStringList cancelClose;       // documents whose save prompt is cancelled

    GroupHost Host() {
        GroupHost host;
        host.documents = [this] {
            std::vector<GroupDocument> out;
            for (const Doc& d : docs) {
                const QString path = d.path;
                out.push_back({path, d.byGroup, [this, path] {
                                   prompts.push_back(path);
                                   if (cancelClose.contains(path))
                                       return false;
                                   std::erase_if(docs,
                                                 [&](const Doc& x) { return x.path == path; });
                                   return true;
                               }});
            }
            return out;
        };
        host.openFile = [this](const QString& path) {
            if (!openable.contains(path))
                return false;
            docs.push_back({path, true});
            return true;
        };
        return host;
    }
    QStringList Paths() const {
        QStringList out;
        for (const Doc& d : docs) out << d.path;
        return out;
    }
};

}  // namespace

// ---- name dialog ----------------------------------------------------------

TEST_F(GroupUiTest, NameDialogRejectsEmptyAndTakenNames) {
    CFileGroup list;
    list.AddGroup("web");
    ScriptedSeams seams;
    CGroupNameDlg dialog(list, "web", nullptr);
    QSignalSpy finished(&dialog, &QDialog::finished);

    // Renaming to the unchanged name counts as taken; OK returns to the dialog.
    seams.answers = {MsgAnswer::Ok};
    dialog.OnOk();
    ASSERT_EQ(seams.Messages().size(), 1u);
    EXPECT_EQ(
        seams.Messages()[0].text,
        "ファイルグループ \"web\" はすでに登録されています。\r\n別の名前で登録してください。");
    EXPECT_EQ(seams.Messages()[0].icon, MsgIcon::Exclamation);
    EXPECT_EQ(seams.Messages()[0].buttons, MsgButtons::OkCancel);
    EXPECT_EQ(finished.count(), 0);

    dialog.nameEdit->clear();
    seams.answers = {MsgAnswer::Ok};
    dialog.OnOk();
    EXPECT_EQ(seams.Messages().back().text, QString(group_texts::kEmptyName));
    EXPECT_EQ(finished.count(), 0);

    // Cancel on the message closes the dialog as cancelled.
    seams.answers = {MsgAnswer::Cancel};
    dialog.OnOk();
    ASSERT_EQ(finished.count(), 1);
    EXPECT_EQ(finished[0][0].toInt(), QDialog::Rejected);
}

// ---- edit dialog ----------------------------------------------------------

TEST_F(GroupUiTest, EditDialogShowsFilesTitlesAndCount) {
    const QString dir = test::MakeTempDir();
    const QString page = test::WriteTestFile(dir + "/a.htm", "<html><title>First</title>");
    CFileGroup list;
    list.AddGroup("empty");
    list.AddFiles(list.AddGroup("site"), {page.toStdString(), "C:\\w\\b.htm"});
    CGroupEditDlg dialog(list, {}, {.preselect = 1}, nullptr);

    EXPECT_EQ(dialog.SelectedGroup(), 1);
    ASSERT_EQ(dialog.fileList->rowCount(), 2);
    EXPECT_EQ(dialog.fileList->item(0, 0)->text(), page);
    EXPECT_EQ(dialog.fileList->item(0, 1)->text(), "First");
    EXPECT_EQ(dialog.fileList->item(1, 0)->text(), "C: /w /b.htm");
    EXPECT_EQ(dialog.countLabel->text(), "[ ファイル数 2 ]");

    dialog.groupCombo->setCurrentIndex(0);
    EXPECT_EQ(dialog.fileList->rowCount(), 0);
    EXPECT_EQ(dialog.countLabel->text(), "[ ファイル数 0 ]");
}

TEST_F(GroupUiTest, EditDialogEnablesButtonsByGroupSelectionAndChanges) {
    CFileGroup none;
    CGroupEditDlg empty(none, {}, {}, nullptr);
    for (QPushButton* b :
         {empty.renameButton, empty.deleteButton, empty.addFileButton, empty.addOpenButton,
          empty.openButton, empty.removeButton, empty.revertButton})
        EXPECT_FALSE(b->isEnabled()) << b->text().toStdString();
    EXPECT_TRUE(empty.createButton->isEnabled());

    CFileGroup list;
    list.AddFiles(list.AddGroup("g"), {"/x/1.htm", "/x/2.htm", "/x/3.htm"});
    CGroupEditDlg dialog(list, {}, {}, nullptr);
    EXPECT_TRUE(dialog.openButton->isEnabled());
    EXPECT_FALSE(dialog.revertButton->isEnabled());

    dialog.fileList->selectRow(0);
    AddToSelection(dialog.fileList, 2);
    EXPECT_TRUE(dialog.removeButton->isEnabled());
    dialog.removeButton->click();
    EXPECT_EQ(list.At(0).files, std::vector<std::string>{"/x/2.htm"});
    EXPECT_EQ(dialog.countLabel->text(), "[ ファイル数 1 ]");
    EXPECT_TRUE(dialog.Changed());
    EXPECT_TRUE(dialog.revertButton->isEnabled());
    EXPECT_FALSE(dialog.removeButton->isEnabled());
}

TEST_F(GroupUiTest, CreateRenameAndDeleteGroups) {
    CFileGroup list;
    list.AddGroup("a");
    ScriptedSeams seams(MsgAnswer::Cancel);
    CGroupEditDlg dialog(list, {}, {}, nullptr);

    NameWith("b");
    dialog.createButton->click();
    ASSERT_EQ(list.Count(), 2);
    EXPECT_EQ(list.At(1).name, "b");
    EXPECT_EQ(dialog.groupCombo->count(), 2);
    EXPECT_EQ(dialog.SelectedGroup(), 1);
    EXPECT_TRUE(dialog.Changed());

    // A taken name, then giving up on the message: nothing is renamed.
    NameWith("a");
    dialog.renameButton->click();
    EXPECT_EQ(list.At(1).name, "b");

    NameWith("c");
    dialog.renameButton->click();
    EXPECT_EQ(list.At(1).name, "c");
    EXPECT_EQ(dialog.groupCombo->itemText(1), "c");
    EXPECT_EQ(dialog.SelectedGroup(), 1);

    seams.answers = {MsgAnswer::No};
    dialog.deleteButton->click();
    EXPECT_EQ(list.Count(), 2);
    EXPECT_EQ(seams.Messages().back().text, "グループ [ c ] を削除してもよろしいですか?");

    seams.answers = {MsgAnswer::Yes};
    dialog.deleteButton->click();
    ASSERT_EQ(list.Count(), 1);
    EXPECT_EQ(dialog.groupCombo->count(), 1);
    EXPECT_EQ(dialog.SelectedGroup(), -1);
    EXPECT_EQ(dialog.fileList->rowCount(), 0);
    EXPECT_FALSE(dialog.deleteButton->isEnabled());
}

TEST_F(GroupUiTest, AddFilesUsesTheFileDialogAndRemembersItsFolder) {
    AppStore().WriteProfileString("FileDlgSettings", "Initial_dir_open", "/start");
    AppStore().WriteProfileInt("FileDlgSettings", "Initial_filter_open", 2);
    CFileGroup list;
    list.AddFiles(list.AddGroup("g"), {"/s/a.htm"});
    ScriptedSeams seams;
    CGroupEditDlg dialog(list, {}, {}, nullptr);

    seams.dialogs = {test::Chosen({"/d/b.htm", "/s/a.htm", "/e/c.htm"}, 1)};
    dialog.addFileButton->click();
    ASSERT_EQ(seams.requests.size(), 1u);
    EXPECT_EQ(seams.requests[0].mode, FileDialogRequest::Mode::OpenMultiple);
    EXPECT_EQ(seams.requests[0].filter,
              "HTMLファイル(*.htm* *.shtm*)|*.htm*;*.shtm*|すべてのファイル(*.*)|*.*||");
    EXPECT_EQ(seams.requests[0].folder, "/start");
    EXPECT_EQ(seams.requests[0].filterIndex, 2);
    EXPECT_EQ(list.At(0).files, (std::vector<std::string>{"/s/a.htm", "/d/b.htm", "/e/c.htm"}));
    EXPECT_EQ(AppStore().GetProfileString("FileDlgSettings", "Initial_dir_open", ""), "/d");
    EXPECT_EQ(AppStore().GetProfileInt("FileDlgSettings", "Initial_filter_open", 0), 1);
    EXPECT_EQ(dialog.fileList->rowCount(), 3);
}

TEST_F(GroupUiTest, AddFromOpenFilesAddsTheSelectedPathsOnce) {
    CFileGroup list;
    list.AddFiles(list.AddGroup("g"), {"/o/2.htm"});
    const QStringList open = {"/o/1.htm", "/o/2.htm", "/o/3.htm"};
    CGroupEditDlg dialog(
        list, [open] { return open; }, {}, nullptr);

    OnDialog<CAddOpenFilesDlg>([](CAddOpenFilesDlg& d) {
        EXPECT_EQ(d.fileList->rowCount(), 3);
        EXPECT_EQ(d.fileList->item(2, 0)->text(), "/o/3.htm");
        d.selectAllButton->click();
        d.addButton->click();
        return d.result();
    });
    dialog.addOpenButton->click();
    EXPECT_EQ(list.At(0).files, (std::vector<std::string>{"/o/2.htm", "/o/1.htm", "/o/3.htm"}));
}

TEST_F(GroupUiTest, RevertReloadsTheListAfterConfirmation) {
    CFileGroup saved;
    saved.AddGroup("one");
    saved.AddFiles(saved.AddGroup("two"), {"/t/a.htm"});
    SaveList(saved);

    CFileGroup list = LoadedList();
    ScriptedSeams seams;
    CGroupEditDlg dialog(list, {}, {.preselect = 1}, nullptr);
    dialog.fileList->selectRow(0);
    dialog.removeButton->click();
    ASSERT_TRUE(list.At(1).files.empty());

    seams.answers = {MsgAnswer::Cancel};
    dialog.revertButton->click();
    EXPECT_EQ(seams.Messages().back().text,
              "ファイルグループへの変更を全て元に戻します。\r\nよろしいですか?");
    EXPECT_EQ(seams.Messages().back().caption, "Vesk Html");
    EXPECT_TRUE(list.At(1).files.empty());

    seams.answers = {MsgAnswer::Ok};
    dialog.revertButton->click();
    EXPECT_EQ(list.At(1).files, std::vector<std::string>{"/t/a.htm"});
    EXPECT_EQ(dialog.SelectedGroup(), 1);  // same count, same group
    EXPECT_EQ(dialog.fileList->rowCount(), 1);
    EXPECT_FALSE(dialog.Changed());
    EXPECT_FALSE(dialog.revertButton->isEnabled());
}

// ---- commands -------------------------------------------------------------

TEST_F(GroupUiTest, OpenGroupOpensInOrderAndAsksAboutFailures) {
    CFileGroup list;
    list.AddFiles(list.AddGroup("site"), {"/s/a.htm", "/s/gone.htm", "/s/b.htm", "/s/lost.htm"});
    FakeApp app;
    app.openable = {"/s/a.htm", "/s/b.htm"};
    ScriptedSeams seams;
    seams.answers = {MsgAnswer::Yes, MsgAnswer::No};

    EXPECT_FALSE(OpenGroup(list, 1, app.Host()));
    EXPECT_FALSE(OpenGroup(list, -1, app.Host()));
    EXPECT_TRUE(app.docs.empty());

    EXPECT_TRUE(OpenGroup(list, 0, app.Host()));
    EXPECT_EQ(app.Paths(), (QStringList{"/s/a.htm", "/s/b.htm"}));
    EXPECT_TRUE(app.docs[0].byGroup);
    ASSERT_EQ(seams.Messages().size(), 2u);
    EXPECT_EQ(
        seams.Messages()[0].text,
        "ファイル [ /s/gone.htm ] を開く事ができませんでした。\r\nこのファイルの登録をグループ "
        "[ site ] から削除しますか?");
    EXPECT_EQ(seams.Messages()[0].icon, MsgIcon::Question);
    EXPECT_EQ(seams.Messages()[0].buttons, MsgButtons::YesNo);
    EXPECT_EQ(list.At(0).files, (std::vector<std::string>{"/s/a.htm", "/s/b.htm", "/s/lost.htm"}));
}

TEST_F(GroupUiTest, OpenGroupsCommandOpensTheChosenGroupsAndSavesRemovals) {
    CFileGroup saved;
    saved.AddFiles(saved.AddGroup("a"), {"/a/1.htm"});
    saved.AddFiles(saved.AddGroup("b"), {"/b/1.htm", "/b/missing.htm"});
    saved.AddFiles(saved.AddGroup("c"), {"/c/1.htm"});
    SaveList(saved);
    FakeApp app;
    app.openable = {"/a/1.htm", "/b/1.htm", "/c/1.htm"};
    ScriptedSeams seams(MsgAnswer::Yes);

    OnDialog<CGroupOpenDlg>([](CGroupOpenDlg& d) {
        d.groupList->selectRow(2);
        AddToSelection(d.groupList, 1);
        EXPECT_TRUE(d.openButton->isEnabled());
        d.openButton->click();
        return d.result();
    });
    RunOpenGroups(app.Host());
    // Row order, not selection order.
    EXPECT_EQ(app.Paths(), (QStringList{"/b/1.htm", "/c/1.htm"}));
    EXPECT_EQ(LoadedList().At(1).files, std::vector<std::string>{"/b/1.htm"});
}

TEST_F(GroupUiTest, OpenDialogSettingsSavesOnOkAndReloadsOnCancel) {
    CFileGroup saved;
    saved.AddGroup("a");
    saved.AddGroup("b");
    SaveList(saved);
    CFileGroup list = LoadedList();
    ScriptedSeams seams(MsgAnswer::Yes);
    CGroupOpenDlg dialog(list, {}, nullptr);
    dialog.groupList->selectRow(1);

    OnDialog<CGroupEditDlg>([](CGroupEditDlg& d) {
        EXPECT_EQ(d.SelectedGroup(), 1);
        EXPECT_EQ(d.openButton, nullptr);
        d.deleteButton->click();
        return int(QDialog::Rejected);
    });
    dialog.settingsButton->click();
    EXPECT_EQ(list.Count(), 2);
    EXPECT_EQ(dialog.groupList->rowCount(), 2);

    OnDialog<CGroupEditDlg>([](CGroupEditDlg& d) {
        d.deleteButton->click();
        d.okButton->click();
        return d.result();
    });
    dialog.settingsButton->click();
    EXPECT_EQ(dialog.groupList->rowCount(), 1);
    EXPECT_EQ(dialog.groupList->item(0, 0)->text(), "b");
    EXPECT_EQ(LoadedList().Count(), 1);
}

TEST_F(GroupUiTest, EditCommandSavesOnlyWhenAsked) {
    CFileGroup saved;
    saved.AddFiles(saved.AddGroup("a"), {"/a/1.htm"});
    SaveList(saved);
    const std::string before = ListBytes();
    FakeApp app;
    app.openable = {"/a/1.htm"};
    ScriptedSeams seams;

    auto createGroup = [](CGroupEditDlg& d) {
        NameWith("new");
        d.createButton->click();
    };
    OnDialog<CGroupEditDlg>([&](CGroupEditDlg& d) {
        createGroup(d);
        d.cancelButton->click();
        return d.result();
    });
    RunEditGroups(app.Host());
    EXPECT_EQ(ListBytes(), before);

    OnDialog<CGroupEditDlg>([&](CGroupEditDlg& d) {
        createGroup(d);
        d.okButton->click();
        return d.result();
    });
    RunEditGroups(app.Host());
    EXPECT_EQ(LoadedList().Count(), 2);
    EXPECT_TRUE(app.docs.empty());

    OnDialog<CGroupEditDlg>([](CGroupEditDlg& d) {
        d.groupCombo->setCurrentIndex(0);
        d.openButton->click();
        return d.result();
    });
    RunEditGroups(app.Host());
    EXPECT_EQ(app.Paths(), QStringList{"/a/1.htm"});
    EXPECT_TRUE(seams.Messages().empty());
}

TEST_F(GroupUiTest, CloseGroupsCommandClosesTheChosenGroupsDocuments) {
    CFileGroup saved;
    saved.AddFiles(saved.AddGroup("a"), {"/a/1.htm", "/a/2.htm", "/a/3.htm"});
    saved.AddFiles(saved.AddGroup("b"), {"/b/1.htm"});
    SaveList(saved);
    FakeApp app;
    app.docs = {{"/a/1.htm", true},
                {"/x.htm", true},
                {"/a/2.htm", false},
                {"/b/1.htm", false},
                {"/a/3.htm", true}};
    app.cancelClose = {"/a/3.htm"};
    ScriptedSeams seams;

    CCommandTarget target;
    RegisterFileGroupCommands(target, app.Host());
    CommandState state;
    ASSERT_TRUE(target.UpdateCommand(kCloseGroupsCommand, state));
    EXPECT_TRUE(state.enabled);

    OnDialog<CGroupCloseDlg>([](CGroupCloseDlg& d) {
        EXPECT_FALSE(d.onlyGroupFilesBox->isChecked());
        EXPECT_EQ(d.groupList->rowCount(), 2);
        EXPECT_EQ(d.groupList->item(0, 1)->text(), "3");
        EXPECT_EQ(d.groupList->item(1, 1)->text(), "1");
        d.onlyGroupFilesBox->setChecked(true);
        EXPECT_EQ(d.groupList->rowCount(), 1);
        EXPECT_EQ(d.groupList->item(0, 0)->text(), "a");
        EXPECT_EQ(d.groupList->item(0, 1)->text(), "2");
        d.groupList->selectRow(0);
        d.closeButton->click();
        return d.result();
    });
    ASSERT_TRUE(target.ExecuteCommand(kCloseGroupsCommand));
    // The individually opened /a/2.htm stays; /a/3.htm's prompt was cancelled.
    EXPECT_EQ(app.prompts, (std::vector<QString>{"/a/1.htm", "/a/3.htm"}));
    EXPECT_EQ(app.Paths(), (QStringList{"/x.htm", "/a/2.htm", "/b/1.htm", "/a/3.htm"}));
    EXPECT_EQ(AppStore().GetProfileInt("EditorSettings", "g_close_OnlyGroupFilse", 0), 1);

    // The stored choice comes back.
    OnDialog<CGroupCloseDlg>([](CGroupCloseDlg& d) {
        EXPECT_TRUE(d.onlyGroupFilesBox->isChecked());
        return int(QDialog::Rejected);
    });
    target.ExecuteCommand(kCloseGroupsCommand);

    app.docs.clear();
    target.UpdateCommand(kCloseGroupsCommand, state);
    EXPECT_FALSE(state.enabled);
}

TEST_F(GroupUiTest, ListSavedOntoAFullDiskKeepsTheOldListAndSaysWhy) {
    test::ScratchVolume volume(256 * 1024);
    VESK_REQUIRE_VOLUME(volume);
    const QByteArray savedFolder = qgetenv("VESKHTML_DATA_DIR");
    qputenv("VESKHTML_DATA_DIR", volume.Path().toUtf8());
    CFileGroup small;
    small.AddFiles(small.AddGroup("site"), {"/srv/www/index.html"});
    ASSERT_TRUE(small.Save(kGroupListFile));
    const std::string old = ListBytes();
    ASSERT_TRUE(volume.FillLeaving(4 * 1024));

    CFileGroup large;
    std::vector<std::string> files;
    for (int i = 0; i < 400; ++i) files.push_back("/srv/www/page" + std::to_string(i) + ".html");
    large.AddFiles(large.AddGroup("site"), files);
    ScriptedSeams seams;
    const bool saved = SaveGroupList(large, nullptr);
    const std::string after = ListBytes();
    qputenv("VESKHTML_DATA_DIR", savedFolder);

    EXPECT_FALSE(saved);
    EXPECT_EQ(after, old);
    ASSERT_EQ(seams.Messages().size(), 1u);
    EXPECT_TRUE(seams.Messages()[0].text.endsWith(qt_error_string(ENOSPC)))
        << seams.Messages()[0].text.toStdString();
}
