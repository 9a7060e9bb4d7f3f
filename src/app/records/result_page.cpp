#include "app/records/result_page.h"

#include "app/refdata/dataset_model.h"
#include "app/shell/panel_parts.h"
#include "core/store/table.h"

#include <QHeaderView>
#include <QLabel>
#include <QSplitter>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

namespace zorvane::app {

ResultPage::ResultPage(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("tabResult"));
    init_ = grid("grdOriginal", initModel_);
    result_ = grid("grdDesRSt", resultModel_);
    size_ = grid("grdSize", sizeModel_);

    sizeArea_ = new QWidget(this);
    sizeArea_->setObjectName(QStringLiteral("pnlRstEnd"));
    drawing_ = new QLabel(sizeArea_);
    drawing_->setObjectName(QStringLiteral("imgSize"));
    drawing_->setToolTip(QStringLiteral("双击可显示全图"));
    drawing_->setScaledContents(true);
    drawing_->setFixedWidth(240);
    showAll_ = new QToolButton(sizeArea_);
    showAll_->setObjectName(QStringLiteral("spnSHow"));
    showAll_->setText(QStringLiteral("全图显示"));
    connect(showAll_, &QToolButton::clicked, this, &ResultPage::showWholeDrawing);
    auto* sizeHead = new QHBoxLayout;
    sizeHead->addWidget(pageHeader(QStringLiteral("链 传 动 尺 寸 参 数"), sizeArea_), 1);
    sizeHead->addWidget(showAll_);
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

    auto* splitter = new QSplitter(Qt::Vertical, this);
    splitter->setObjectName(QStringLiteral("splRstEnd"));
    splitter->addWidget(upper);
    splitter->addWidget(sizeArea_);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(splitter);
    sizeArea_->hide();
}

QTableView* ResultPage::grid(const char* name, DatasetModel*& model) {
    auto* view = new QTableView(this);
    view->setObjectName(QString::fromLatin1(name));
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->horizontalHeader()->setStyleSheet(
        QStringLiteral("QHeaderView::section { font-family: '宋体'; font-size: 12px; }"));
    view->horizontalHeader()->setStretchLastSection(true);
    view->verticalHeader()->setDefaultSectionSize(20);
    view->horizontalHeader()->setMinimumSectionSize(100);
    model = new DatasetModel(view);
    view->setModel(model);
    connect(model, &QAbstractItemModel::modelReset, view, &QTableView::resizeColumnsToContents);
    return view;
}

void ResultPage::bind(store::Table* init, store::Table* result, store::Table* size) {
    initModel_->setDataset(init);
    resultModel_->setDataset(result);
    sizeModel_->setDataset(size);
}

void ResultPage::setSizeAreaVisible(bool visible) {
    sizeArea_->setVisible(visible);
}

} // namespace zorvane::app
