#pragma once
// "クリッカブルマップの作成": the map editor window. The canvas with the
// picture and its areas, the side panel with the map and area pages, the
// three drawing tools, and "挿入" / "ｷｬﾝｾﾙ".

#include <QDialog>
#include <QString>
#include <optional>

#include "mapedit/map_data.h"

class CVeskHtmlView;
class QPushButton;
class QTabWidget;

namespace vesk {

class CMapCanvas;
class CMapAreaPage;
class CMapImagePage;

class CMapEditorDlg : public QDialog {
    Q_OBJECT
  public:
    // pair: the map being edited, filled in from the page (nullptr: a new
    // map). documentPath: the document's full path, the base of relative links.
    CMapEditorDlg(MapImagePair* pair, const QString& documentPath, QWidget* parent = nullptr);
    ~CMapEditorDlg() override;

    // What "挿入" made; empty data until the editor was confirmed.
    CMapData Result() const { return result_; }
    bool Confirmed() const { return confirmed_; }

    CMapCanvas* Canvas() const { return canvas_; }
    CMapAreaPage* AreaPage() const { return areaPage_; }
    CMapImagePage* ImagePage() const { return imagePage_; }
    QTabWidget* Tabs() const { return tabs_; }
    QPushButton* InsertButton() const { return insert_; }
    QPushButton* CancelButton() const { return cancel_; }
    QPushButton* RectButton() const { return rect_; }
    QPushButton* CircleButton() const { return circle_; }
    QPushButton* PolygonButton() const { return polygon_; }

    // "挿入": the result is built and the editor closes with OK.
    void OnInsert();

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    void Arrange();
    void ShowTool(int tool);

    MapImagePair* pair_;
    CMapData result_;
    bool confirmed_ = false;
    QTabWidget* tabs_;
    CMapCanvas* canvas_;
    CMapAreaPage* areaPage_;
    CMapImagePage* imagePage_;
    QPushButton* rect_;
    QPushButton* circle_;
    QPushButton* polygon_;
    QPushButton* insert_;
    QPushButton* cancel_;
};

// Runs the editor for the view's document (through the dialog seam); the
// confirmed result, or nothing when it was cancelled.
std::optional<CMapData> RunMapEditor(CVeskHtmlView& view, MapImagePair* pair);

// Makes the map commands open this editor.
void InstallMapEditor();

}  // namespace vesk
