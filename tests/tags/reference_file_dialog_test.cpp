// The file-selection dialog of file-reference fields on a real folder tree:
// the text the field receives, the existence check, what is remembered
// between runs, and the preview of the highlighted file.

#include "tags/reference_file_dialog.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTest>
#include <QTreeView>
#include <functional>

#include "platform/settings_store.h"
#include "sidepane/file_preview_wnd.h"
#include "support/seams.h"
#include "support/test_env.h"

namespace {

using namespace vesk;

const char kImageFilter[] =
    "画像ファイル(*.jpg *.png)|*.jpg;*.png|PNGファイル(*.png)|*.png|全てのファイル(*.*)|*.*||";

QString WritePng(const QString& path) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QImage image(12, 7, QImage::Format_RGB32);
    image.fill(Qt::red);
    EXPECT_TRUE(image.save(path, "PNG"));
    return path;
}

int StoredInt(const char* section, const QString& key) {
    return AppStore().GetProfileInt(section, key, -99);
}
QString StoredString(const char* section, const QString& key) {
    return AppStore().GetProfileString(section, key, "<none>");
}

class ReferenceFileDialogTest : public ::testing::Test {
  protected:
    void SetUp() override {
        test::ClearSettings();
        root_ = test::MakeTempDir();
        document_ = test::WriteTestFile(root_ + "/web/index.html", "<html></html>");
        image_ = WritePng(root_ + "/web/img/a.png");
        InstallReferenceFileDialog();
    }
    void TearDown() override {
        SetReferenceFileChooser(nullptr);
        test::InstallNonBlockingSeams();
    }

    ReferenceFileRequest ImageRequest(const QString& base) const {
        ReferenceFileRequest request;
        request.kind = ReferenceFileRequest::Kind::kImage;
        request.title = QString::fromUtf8(tag_texts::kImageFileTitle);
        request.filter = QString::fromUtf8(kImageFilter);
        request.basePath = base;
        return request;
    }

    // Runs the chooser with a script that works on the dialog before answering.
    std::optional<ReferenceFileChoice> Choose(
        const ReferenceFileRequest& request,
        const std::function<int(CReferenceFileDialog&)>& script) {
        dialog_seam::SetScript([&](QDialog& dialog) {
            auto* reference = qobject_cast<CReferenceFileDialog*>(&dialog);
            EXPECT_NE(reference, nullptr);
            return reference ? script(*reference) : int(QDialog::Rejected);
        });
        return ChooseReferenceFile(nullptr, request);
    }
    // Picks path with the relative box set as given.
    std::optional<ReferenceFileChoice> Pick(const QString& base, const QString& path,
                                            bool relative) {
        return Choose(ImageRequest(base), [&](CReferenceFileDialog& dialog) {
            dialog.RelativeBox()->setChecked(relative);
            dialog.SelectFile(path);
            return int(QDialog::Accepted);
        });
    }

    QString root_;
    QString document_;
    QString image_;
};

TEST_F(ReferenceFileDialogTest, FieldTextIsRelativeFolderAndFileName) {
    auto choice = Pick(document_, image_, true);
    ASSERT_TRUE(choice);
    EXPECT_EQ(choice->reference, "./img/a.png");
    EXPECT_EQ(choice->fullPath, image_);

    // Without the relative folder the field gets the bare name; the full path is still handed over.
    choice = Pick(document_, image_, false);
    ASSERT_TRUE(choice);
    EXPECT_EQ(choice->reference, "a.png");
    EXPECT_EQ(choice->fullPath, image_);

    // A file in the document's own folder, and one up a branch.
    const QString beside = WritePng(root_ + "/web/b.png");
    choice = Pick(document_, beside, true);
    ASSERT_TRUE(choice);
    EXPECT_EQ(choice->reference, "./b.png");

    const QString deepDocument = test::WriteTestFile(root_ + "/web/doc/x/page.html", "x");
    choice = Pick(deepDocument, image_, true);
    ASSERT_TRUE(choice);
    EXPECT_EQ(choice->reference, "../../img/a.png");
}

TEST_F(ReferenceFileDialogTest, UntitledDocumentGetsBareFileName) {
    for (bool relative : {true, false}) {
        auto choice = Pick(QString(), image_, relative);
        ASSERT_TRUE(choice);
        EXPECT_EQ(choice->reference, "a.png") << relative;
        EXPECT_EQ(choice->fullPath, image_);
    }
}

TEST_F(ReferenceFileDialogTest, RelativeTextFollowsSelectionAndCheckBoxAndMayBeEdited) {
    auto choice = Choose(ImageRequest(document_), [&](CReferenceFileDialog& dialog) {
        dialog.RelativeBox()->setChecked(true);
        // The file dialog's own highlight signal drives the panel.
        emit dialog.FileDialog()->currentChanged(image_);
        EXPECT_EQ(dialog.RelativeEdit()->text(), "./img/");
        dialog.RelativeBox()->setChecked(false);
        EXPECT_TRUE(dialog.RelativeEdit()->text().isEmpty());
        dialog.RelativeBox()->setChecked(true);
        EXPECT_EQ(dialog.RelativeEdit()->text(), "./img/");
        // What the user types there is what the field receives.
        dialog.RelativeEdit()->setText("../pics/");
        return int(QDialog::Accepted);
    });
    ASSERT_TRUE(choice);
    EXPECT_EQ(choice->reference, "../pics/a.png");
}

TEST_F(ReferenceFileDialogTest, OkOfTheFileDialogClosesWithTheTypedFile) {
    auto choice = Choose(ImageRequest(document_), [&](CReferenceFileDialog& dialog) {
        dialog.RelativeBox()->setChecked(true);
        dialog.FileDialog()->selectFile(image_);
        emit dialog.FileDialog()->currentChanged(image_);
        auto* buttons = dialog.FileDialog()->findChild<QDialogButtonBox*>();
        EXPECT_NE(buttons, nullptr);
        QPushButton* ok = buttons ? buttons->button(QDialogButtonBox::Open) : nullptr;
        EXPECT_NE(ok, nullptr);
        if (ok) {
            EXPECT_EQ(ok->text(), "OK");
            ok->click();
        }
        return dialog.result();
    });
    ASSERT_TRUE(choice);
    EXPECT_EQ(choice->reference, "./img/a.png");
    EXPECT_EQ(QFileInfo(choice->fullPath).canonicalFilePath(),
              QFileInfo(image_).canonicalFilePath());
}

// Qt's own file dialog, shown and used with the mouse and the keyboard: the
// relative folder is the one of the file accepted, also when its name was typed.
TEST_F(ReferenceFileDialogTest, TypedNameGetsTheFolderOfTheFileItNames) {
    const QString other = WritePng(root_ + "/other/c.gif");
    struct Case {
        QString folder;   // where the dialog opens
        QString clicked;  // highlighted with the mouse first, if any
        QString typed;    // then typed into the name field, followed by Enter
        std::string reference;
        QString chosen;
    };
    const Case cases[] = {
        {root_ + "/web/img", "a.png", other, "../other/c.gif", other},
        {root_ + "/web", QString(), "img/a.png", "./img/a.png", image_},
    };
    for (const Case& c : cases) {
        AppStore().WriteProfileString("FileDlgSettings", "Initial_dir_img", c.folder);
        auto choice = Choose(ImageRequest(document_), [&](CReferenceFileDialog& dialog) {
            dialog.RelativeBox()->setChecked(true);
            dialog.show();
            EXPECT_TRUE(QTest::qWaitForWindowExposed(&dialog));
            QFileDialog* files = dialog.FileDialog();
            if (!c.clicked.isEmpty()) {
                QAbstractItemView* view = files->findChild<QTreeView*>("treeView");
                if (!view || !view->isVisible())
                    view = files->findChild<QListView*>("listView");
                QModelIndex item;
                EXPECT_TRUE(QTest::qWaitFor([&] {
                    const QAbstractItemModel* model = view->model();
                    for (int row = 0; row < model->rowCount(view->rootIndex()); ++row) {
                        const QModelIndex index = model->index(row, 0, view->rootIndex());
                        if (index.data().toString() == c.clicked)
                            item = index;
                    }
                    return item.isValid();
                }));
                QTest::mouseClick(view->viewport(), Qt::LeftButton, {},
                                  view->visualRect(item).center());
                EXPECT_EQ(dialog.RelativeEdit()->text(), "./img/");
            }
            auto* name = files->findChild<QLineEdit*>("fileNameEdit");
            EXPECT_NE(name, nullptr);
            if (!name)
                return int(QDialog::Rejected);
            name->setFocus();
            name->selectAll();
            QTest::keyClicks(name, c.typed);
            QTest::keyClick(name, Qt::Key_Return);
            return dialog.result();
        });
        ASSERT_TRUE(choice) << c.typed.toStdString();
        EXPECT_EQ(choice->reference, c.reference);
        EXPECT_EQ(choice->fullPath, c.chosen);
    }
}

TEST_F(ReferenceFileDialogTest, MissingFileOrFolderIsRefused) {
    test::ScriptedSeams seams;
    for (const QString& path : {root_ + "/web/img/none.png", root_ + "/web/img"}) {
        message_seam::Log().clear();
        auto choice = Pick(document_, path, true);
        EXPECT_FALSE(choice) << path.toStdString();
        ASSERT_EQ(seams.Messages().size(), 1u);
        EXPECT_EQ(seams.Messages()[0].text, QString::fromUtf8(tag_texts::kInvalidFileMessage));
        EXPECT_EQ(seams.Messages()[0].caption, "VeskHtml");
        EXPECT_EQ(seams.Messages()[0].icon, MsgIcon::Exclamation);
    }
    // Nothing of a refused choice is remembered.
    EXPECT_EQ(StoredString("FileDlgSettings", "Initial_dir_img"), "<none>");

    // A field that may name a file yet to be written takes it.
    message_seam::Log().clear();
    ReferenceFileRequest request = ImageRequest(document_);
    request.requireExistingFile = false;
    auto choice = Choose(request, [&](CReferenceFileDialog& dialog) {
        dialog.SelectFile(root_ + "/web/new.html");
        return int(QDialog::Accepted);
    });
    ASSERT_TRUE(choice);
    EXPECT_EQ(choice->reference, "./new.html");
    EXPECT_TRUE(seams.Messages().empty());
}

TEST_F(ReferenceFileDialogTest, CancelGivesNothingButKeepsTheCheckBoxes) {
    AppStore().WriteProfileInt("ImgFileDlg", "Preview", 0);
    AppStore().WriteProfileInt("ImgFileDlg", "Relative_path", 1);
    auto choice = Choose(ImageRequest(document_), [&](CReferenceFileDialog& dialog) {
        EXPECT_FALSE(dialog.PreviewBox()->isChecked());
        EXPECT_TRUE(dialog.RelativeBox()->isChecked());
        dialog.PreviewBox()->setChecked(true);
        dialog.RelativeBox()->setChecked(false);
        dialog.SelectFile(image_);
        return int(QDialog::Rejected);
    });
    EXPECT_FALSE(choice);
    EXPECT_EQ(StoredInt("ImgFileDlg", "Preview"), 1);
    EXPECT_EQ(StoredInt("ImgFileDlg", "Relative_path"), 0);
    EXPECT_EQ(StoredString("FileDlgSettings", "Initial_dir_img"), "<none>");

    // The next run starts from what was stored.
    Choose(ImageRequest(document_), [&](CReferenceFileDialog& dialog) {
        EXPECT_TRUE(dialog.PreviewBox()->isChecked());
        EXPECT_FALSE(dialog.RelativeBox()->isChecked());
        return int(QDialog::Rejected);
    });
}

TEST_F(ReferenceFileDialogTest, FolderAndFilterAreRememberedPerKind) {
    // Fresh settings: both boxes on, the home folder, the first filter.
    auto choice = Choose(ImageRequest(document_), [&](CReferenceFileDialog& dialog) {
        EXPECT_TRUE(dialog.PreviewBox()->isChecked());
        EXPECT_TRUE(dialog.RelativeBox()->isChecked());
        EXPECT_EQ(dialog.FileDialog()->directory().absolutePath(), QDir::homePath());
        EXPECT_EQ(dialog.SelectedFilterIndex(), 1);
        dialog.FileDialog()->selectNameFilter(dialog.NameFilters().value(1));
        dialog.SelectFile(image_);
        return int(QDialog::Accepted);
    });
    ASSERT_TRUE(choice);
    EXPECT_EQ(StoredString("FileDlgSettings", "Initial_dir_img"), root_ + "/web/img");
    EXPECT_EQ(StoredInt("FileDlgSettings", "Initial_filter_img"), 2);
    EXPECT_EQ(StoredString("FileDlgSettings", "Initial_dir_link"), "<none>");

    Choose(ImageRequest(document_), [&](CReferenceFileDialog& dialog) {
        EXPECT_EQ(dialog.FileDialog()->directory().absolutePath(), root_ + "/web/img");
        EXPECT_EQ(dialog.SelectedFilterIndex(), 2);
        return int(QDialog::Rejected);
    });

    // A link field keeps its own folder; one without a filter key keeps no filter.
    ReferenceFileRequest link = ImageRequest(document_);
    link.kind = ReferenceFileRequest::Kind::kLink;
    link.title = QString::fromUtf8(tag_texts::kLinkFileTitle);
    link.rememberFilter = false;
    AppStore().WriteProfileInt("FileDlgSettings", "Initial_filter_link", 3);
    choice = Choose(link, [&](CReferenceFileDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8(tag_texts::kLinkFileTitle));
        EXPECT_EQ(dialog.FileDialog()->directory().absolutePath(), QDir::homePath());
        EXPECT_EQ(dialog.SelectedFilterIndex(), 1);
        dialog.FileDialog()->selectNameFilter(dialog.NameFilters().value(2));
        dialog.SelectFile(document_);
        return int(QDialog::Accepted);
    });
    ASSERT_TRUE(choice);
    EXPECT_EQ(choice->reference, "./index.html");
    EXPECT_EQ(StoredString("FileDlgSettings", "Initial_dir_link"), root_ + "/web");
    EXPECT_EQ(StoredInt("FileDlgSettings", "Initial_filter_link"), 3);
    EXPECT_EQ(StoredString("FileDlgSettings", "Initial_dir_img"), root_ + "/web/img");
}

TEST_F(ReferenceFileDialogTest, PreviewShowsHighlightedFileWhileChecked) {
    Choose(ImageRequest(document_), [&](CReferenceFileDialog& dialog) {
        dialog.PreviewBox()->setChecked(true);
        dialog.SelectFile(image_);
        EXPECT_EQ(dialog.Preview()->FileKind(), CFilePreviewWnd::kImage);
        EXPECT_EQ(dialog.Preview()->Path(), image_);
        int width = 0;
        dialog.Preview()->Holder().GetSize(&width, nullptr, nullptr);
        EXPECT_EQ(width, 12);

        dialog.PreviewBox()->setChecked(false);
        EXPECT_EQ(dialog.Preview()->FileKind(), CFilePreviewWnd::kOther);
        EXPECT_TRUE(dialog.Preview()->Path().isEmpty());

        // Unchecked, a newly highlighted file is not loaded; checking shows it.
        const QString other = WritePng(root_ + "/web/c.png");
        dialog.SelectFile(other);
        EXPECT_TRUE(dialog.Preview()->Path().isEmpty());
        dialog.PreviewBox()->setChecked(true);
        EXPECT_EQ(dialog.Preview()->Path(), other);
        EXPECT_EQ(dialog.Preview()->FileKind(), CFilePreviewWnd::kImage);
        return int(QDialog::Rejected);
    });
}

TEST_F(ReferenceFileDialogTest, PanelTexts) {
    ReferenceFileRequest request = ImageRequest(document_);
    CReferenceFileDialog dialog(request);
    EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8(tag_texts::kImageFileTitle));
    EXPECT_EQ(dialog.PreviewBox()->text(), "プレビュー");
    EXPECT_EQ(dialog.RelativeBox()->text(), "自動的に付加");
    EXPECT_EQ(dialog.FileDialog()->labelText(QFileDialog::Accept), "OK");
    bool labelFound = false;
    for (QLabel* label : dialog.findChildren<QLabel*>()) {
        if (label->buddy() == dialog.RelativeEdit())
            labelFound = label->text() == "相対パス(&P):";
    }
    EXPECT_TRUE(labelFound);
    EXPECT_EQ(dialog.NameFilters().size(), 3);
}

}  // namespace
