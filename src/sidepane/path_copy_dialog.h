#pragma once
// "相対パスの取得": the relative path of a file, or for a picture of known size
// its SRC, WIDTH and HEIGHT, ready to go to the clipboard.

#include <QDialog>
#include <QString>

class QLineEdit;
class QRadioButton;

class CPathCopyDlg : public QDialog {
    Q_OBJECT
  public:
    // The size choice is offered only with sizeKnown; pathOnly is the choice it starts from.
    CPathCopyDlg(const QString& relativePath, bool sizeKnown, int width, int height, bool pathOnly,
                 QWidget* parent = nullptr);

    QString Text() const;
    bool PathOnly() const { return pathOnly_; }

    QLineEdit* Edit() const { return edit_; }
    QRadioButton* PathOnlyButton() const { return pathOnlyButton_; }
    QRadioButton* PathAndSizeButton() const { return pathAndSizeButton_; }

  private:
    void Choose(bool pathOnly);

    QString relativePath_;
    QString withSize_;
    bool pathOnly_ = true;
    QLineEdit* edit_;
    QRadioButton* pathOnlyButton_;
    QRadioButton* pathAndSizeButton_;
};
