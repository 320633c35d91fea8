#pragma once
// The two tab pages beside the map canvas: "エリア", the list of the areas
// with the link, text and target of the chosen one, and "マップ", the map
// name and the attributes of the image tag.

#include <QString>
#include <QWidget>
#include <string>
#include <string_view>

#include "mapedit/map_data.h"

class QComboBox;
class QLineEdit;
class QMenu;
class QPushButton;
class QTableWidget;

namespace vesk {

class CMapCanvas;
class CMapArea;

// How a picture path is shown: a full path relative to the document, anything
// else (a URL, a reference that did not resolve) as it is.
std::string ShownReference(std::string_view path, std::string_view documentPath);
// An area's link as it will be written: a local file relative to the
// document, a typed link as typed.
std::string ShownHref(const MapShape& shape, std::string_view documentPath);

class CMapAreaPage : public QWidget {
    Q_OBJECT
  public:
    CMapAreaPage(CMapCanvas& canvas, const QString& documentPath, QWidget* parent = nullptr);

    // One row per area of the canvas, in list order; nothing selected after.
    void Rebuild();
    // The canvas chose an area (or the default area's row): the row is
    // selected and scrolled into view, the fields filled.
    void ShowRow(int index);
    // No row: fields empty and disabled.
    void ClearSelection();
    // The row chosen, -1 for none.
    int CurrentRow() const { return row_; }

    // "参照(F)...": the chosen file's full path becomes the link, marked local.
    bool BrowseHref();
    // The list's menu with "選択エリアを削除(&D)".
    QMenu* CreateListMenu(QWidget* parent);

    QTableWidget* List() const { return list_; }
    QLineEdit* HrefEdit() const { return href_; }
    QLineEdit* AltEdit() const { return alt_; }
    QComboBox* TargetCombo() const { return target_; }
    QPushButton* BrowseButton() const { return browse_; }

  protected:
    // Enter and Escape stop here, so that they do not close the editor.
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void ChooseRow(int row);
    void FillFields();
    void EnableFields(bool enable);
    void UpdateRowText(int row);
    void FitColumns();
    CMapArea* CurrentArea() const;

    CMapCanvas& canvas_;
    QString documentPath_;
    int row_ = -1;
    bool filling_ = false;
    QTableWidget* list_;
    QLineEdit* href_;
    QLineEdit* alt_;
    QComboBox* target_;
    QPushButton* browse_;
};

class CMapImagePage : public QWidget {
    Q_OBJECT
  public:
    CMapImagePage(CMapCanvas& canvas, QWidget* parent = nullptr);

    // Fields from data (documentPath included).
    void SetData(const MapImageData& data);
    const MapImageData& Data() const { return data_; }

    // "参照(&I)...": the picture goes onto the canvas, its size into WIDTH and HEIGHT.
    bool BrowseImage();

    QLineEdit* NameEdit() const { return name_; }
    QLineEdit* PathEdit() const { return path_; }
    QPushButton* BrowseButton() const { return browse_; }
    QComboBox* BorderCombo() const { return border_; }
    QComboBox* AlignCombo() const { return align_; }
    QLineEdit* AltEdit() const { return alt_; }
    QLineEdit* HspaceEdit() const { return hspace_; }
    QLineEdit* VspaceEdit() const { return vspace_; }
    QLineEdit* WidthEdit() const { return width_; }
    QLineEdit* HeightEdit() const { return height_; }

  private:
    void Refresh();

    CMapCanvas& canvas_;
    MapImageData data_;
    bool filling_ = false;
    QLineEdit* name_;
    QLineEdit* path_;
    QPushButton* browse_;
    QComboBox* border_;
    QComboBox* align_;
    QLineEdit* alt_;
    QLineEdit* hspace_;
    QLineEdit* vspace_;
    QLineEdit* width_;
    QLineEdit* height_;
};

}  // namespace vesk
