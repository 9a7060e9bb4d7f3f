#pragma once
// The 设计结果 page: the initial conditions, the design results and, once the sprocket step is
// done, the size area with its drawing and grid.

#include <QPixmap>
#include <QPointer>
#include <QWidget>

class QLabel;
class QSplitter;
class QTableView;
class QToolButton;

namespace zorvane::store {
class Table;
}

namespace zorvane::app {

class DatasetModel;
class WheelWindow;

class ResultPage : public QWidget {
    Q_OBJECT
public:
    explicit ResultPage(QWidget* parent = nullptr);

    // The working tables of the open design; null when there is none.
    void bind(store::Table* init, store::Table* result, store::Table* size);
    void setSizeAreaVisible(bool visible);
    // The sprocket drawing of the size area: a picture file, empty for none. A file that is
    // missing or cannot be read shows no drawing.
    void setSizePicture(const QString& path);

    QTableView* initGrid() const { return init_; }
    QTableView* resultGrid() const { return result_; }
    QTableView* sizeGrid() const { return size_; }
    QLabel* sizeDrawing() const { return drawing_; }
    // The drawing window while it is open.
    WheelWindow* wheelWindow() const;
    // Double-click on the drawing, or 全图显示: the drawing at full size in its own window, one
    // at a time.
    void showWholeDrawing();
    // 导出齿形…: usable once the sprocket step is done.
    void setProfileExportEnabled(bool enabled);
    QToolButton* profileExportButton() const { return exportProfiles_; }

signals:
    void exportProfilesClicked();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QTableView* grid(const char* name, DatasetModel*& model);
    // The size grid shows its values and unit whole; the formula column takes what is left.
    void fitFormulaColumn();
    void loadDrawing();
    // Scales the drawing to the size area.
    void fitDrawing();
    void giveOpeningHeight();

    QTableView* init_;
    QTableView* result_;
    QTableView* size_;
    DatasetModel* initModel_ = nullptr;
    DatasetModel* resultModel_ = nullptr;
    DatasetModel* sizeModel_ = nullptr;
    QSplitter* splitter_ = nullptr;
    QWidget* sizeArea_;
    QLabel* drawing_;
    QToolButton* showAll_;
    QToolButton* exportProfiles_;
    QString picturePath_;
    bool pictureLoaded_ = false;
    bool opening_ = false; // the size area opened in this refresh
    QPixmap picture_;
    QPointer<WheelWindow> wheel_;
};

} // namespace zorvane::app
