#include "app/records/result_page.h"

#include "app/records/new_rows_in_view.h"
#include "app/refdata/dataset_model.h"
#include "app/refdata/wheel_window.h"
#include "app/shell/look.h"
#include "app/shell/panel_parts.h"
#include "core/store/table.h"

#include <QAbstractItemModel>
#include <QEvent>
#include <QHeaderView>
#include <QLabel>
#include <QSplitter>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

#include <algorithm>

namespace zorvane::app {

namespace {

// The drawing beside the size grid is shown as large as the size area's height allows, in its own
// proportions and at most at its own size (where its labels are meant to be read), and never
// wider than this part of the area, so that the grid keeps room.
constexpr double kDrawingShareOfWidth = 0.55;
// A size area opening with room to spare gets enough height for the drawing at its own size, but
// not more than this part of the page.
constexpr double kSizeAreaShareOfPage = 0.5;

} // namespace

ResultPage::ResultPage(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("tabResult"));
    init_ = grid("grdOriginal", initModel_);
    result_ = grid("grdDesRSt", resultModel_);
    size_ = grid("grdSize", sizeModel_);
    connect(sizeModel_, &QAbstractItemModel::modelReset, this, &ResultPage::fitFormulaColumn);
    size_->viewport()->installEventFilter(this);

    sizeArea_ = new QWidget(this);
    sizeArea_->setObjectName(QStringLiteral("pnlRstEnd"));
    drawing_ = new QLabel(sizeArea_);
    drawing_->setObjectName(QStringLiteral("imgSize"));
    drawing_->setToolTip(QStringLiteral("双击可显示全图"));
    drawing_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // The drawing follows the area's size, not the other way round.
    drawing_->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Ignored);
    drawing_->installEventFilter(this);
    sizeArea_->installEventFilter(this);
    showAll_ = new QToolButton(sizeArea_);
    showAll_->setObjectName(QStringLiteral("spnSHow"));
    showAll_->setText(QStringLiteral("全图显示"));
    connect(showAll_, &QToolButton::clicked, this, &ResultPage::showWholeDrawing);
    exportProfiles_ = new QToolButton(sizeArea_);
    exportProfiles_->setObjectName(QStringLiteral("spnProfile"));
    exportProfiles_->setText(QStringLiteral("导出齿形…"));
    exportProfiles_->setToolTip(QStringLiteral("把小链轮和大链轮的齿形写成 DXF 或 SVG 文件"));
    exportProfiles_->setEnabled(false);
    connect(exportProfiles_, &QToolButton::clicked, this, &ResultPage::exportProfilesClicked);
    auto* sizeHead = new QHBoxLayout;
    sizeHead->addWidget(pageHeader(QStringLiteral("链 传 动 尺 寸 参 数"), sizeArea_), 1);
    sizeHead->addWidget(showAll_);
    sizeHead->addWidget(exportProfiles_);
    auto* sizeBody = new QHBoxLayout;
    sizeBody->addWidget(drawing_);
    sizeBody->addWidget(size_, 1);
    auto* sizeLayout = new QVBoxLayout(sizeArea_);
    sizeLayout->setContentsMargins(0, 0, 0, 0);
    sizeLayout->addLayout(sizeHead);
    sizeLayout->addLayout(sizeBody, 1);

    auto* upper = new QWidget(this);
    auto* upperLayout = new QVBoxLayout(upper);
    upperLayout->setContentsMargins(0, 0, 0, 0);
    upperLayout->addWidget(pageHeader(QStringLiteral("初  始  条  件"), upper));
    upperLayout->addWidget(init_, 2);
    upperLayout->addWidget(pageHeader(QStringLiteral("设  计  结  果"), upper));
    upperLayout->addWidget(result_, 3);

    splitter_ = new QSplitter(Qt::Vertical, this);
    splitter_->setObjectName(QStringLiteral("splRstEnd"));
    splitter_->addWidget(upper);
    splitter_->addWidget(sizeArea_);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(splitter_);
    sizeArea_->hide();
}

QTableView* ResultPage::grid(const char* name, DatasetModel*& model) {
    auto* view = new QTableView(this);
    view->setObjectName(QString::fromLatin1(name));
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->horizontalHeader()->setFont(pixelFont("宋体", 12));
    view->horizontalHeader()->setStretchLastSection(true);
    view->verticalHeader()->setDefaultSectionSize(20);
    view->setVerticalScrollMode(QAbstractItemView::ScrollPerItem); // whole rows, also by wheel
    view->horizontalHeader()->setMinimumSectionSize(100);
    model = new DatasetModel(view);
    view->setModel(model);
    connect(model, &QAbstractItemModel::modelReset, view, &QTableView::resizeColumnsToContents);
    keepNewRowsInView(*view);
    return view;
}

void ResultPage::bind(store::Table* init, store::Table* result, store::Table* size) {
    initModel_->setDataset(init);
    resultModel_->setDataset(result);
    sizeModel_->setDataset(size);
}

void ResultPage::setSizeAreaVisible(bool visible) {
    const bool opening = visible && !sizeArea_->isVisibleTo(this);
    sizeArea_->setVisible(visible);
    // The opening height is given again when the drawing of this opening arrives.
    opening_ = opening;
    if (opening) {
        giveOpeningHeight();
    }
    if (!visible) {
        pictureLoaded_ = false; // the next showing reads the drawing afresh
    } else if (!pictureLoaded_) {
        loadDrawing();
    }
}

// The size area opens with two sevenths of the page's height, or, where the page has room, as
// high as its drawing at its own size.
void ResultPage::giveOpeningHeight() {
    const int whole = std::max(splitter_->height(), 7);
    const int wanted = picture_.isNull() ? 0 : picture_.height() + 40;
    const int area =
        std::max(whole * 2 / 7, std::min(wanted, static_cast<int>(whole * kSizeAreaShareOfPage)));
    splitter_->setSizes({whole - area, area});
}

void ResultPage::setSizePicture(const QString& path) {
    if (path != picturePath_) {
        picturePath_ = path;
        pictureLoaded_ = false;
    }
    // The file is read when the area shows it, once per path: a refresh of the page must not
    // read the picture again each time.
    if (!pictureLoaded_ && sizeArea_->isVisibleTo(this)) {
        loadDrawing();
    }
}

void ResultPage::loadDrawing() {
    picture_ = picturePath_.isEmpty() ? QPixmap() : QPixmap(picturePath_);
    pictureLoaded_ = true;
    if (opening_) {
        giveOpeningHeight();
    }
    if (picture_.isNull()) {
        drawing_->clear();
        return;
    }
    fitDrawing();
}

void ResultPage::fitDrawing() {
    if (picture_.isNull()) {
        return;
    }
    const QSize room(static_cast<int>(sizeArea_->width() * kDrawingShareOfWidth),
                     drawing_->height());
    const QSize fitted = picture_.size().scaled(
        room.boundedTo(picture_.size()).expandedTo(QSize(1, 1)), Qt::KeepAspectRatio);
    drawing_->setFixedWidth(fitted.width());
    if (drawing_->pixmap().size() != fitted) {
        drawing_->setPixmap(fitted == picture_.size() ? picture_
                                                      : picture_.scaled(fitted, Qt::KeepAspectRatio,
                                                                        Qt::SmoothTransformation));
    }
}

WheelWindow* ResultPage::wheelWindow() const {
    return wheel_ && wheel_->isVisible() ? wheel_.data() : nullptr;
}

void ResultPage::showWholeDrawing() {
    // One window at a time; a closed one is on its way out and no longer counts.
    if (wheelWindow() || picture_.isNull()) {
        return;
    }
    wheel_ = new WheelWindow(picture_, this);
    wheel_->show();
}

void ResultPage::setProfileExportEnabled(bool enabled) {
    exportProfiles_->setEnabled(enabled);
}

void ResultPage::fitFormulaColumn() {
    const auto* model = size_->model();
    auto* header = size_->horizontalHeader();
    const QAbstractItemView* view = size_; // the cells' widths are the view's to tell
    int formula = -1;
    int others = 0;
    for (int column = 0; column < model->columnCount(); ++column) {
        if (model->headerData(column, Qt::Horizontal).toString() == QStringLiteral("关系式")) {
            formula = column;
        } else {
            others += std::max(view->sizeHintForColumn(column), header->sectionSizeHint(column));
        }
    }
    if (formula < 0) {
        return;
    }
    // The values and the unit keep their width; the formula, elided, takes what is left.
    const int wanted = std::max(view->sizeHintForColumn(formula), header->sectionSizeHint(formula));
    const int room = size_->viewport()->width() - others;
    header->resizeSection(formula, std::clamp(room, header->minimumSectionSize(), wanted));
}

bool ResultPage::eventFilter(QObject* watched, QEvent* event) {
    if ((watched == sizeArea_ || watched == drawing_) && event->type() == QEvent::Resize) {
        fitDrawing();
    }
    if (watched == size_->viewport() && event->type() == QEvent::Resize) {
        fitFormulaColumn();
    }
    if (watched == drawing_ && event->type() == QEvent::MouseButtonDblClick) {
        showWholeDrawing();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace zorvane::app
