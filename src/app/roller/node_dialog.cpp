#include "app/roller/node_dialog.h"

#include "app/refdata/dataset_model.h"
#include "app/refdata/multiline_grid.h"
#include "app/shell/focus_route.h"
#include "app/shell/look.h"
#include "app/shell/qt_text.h"
#include "app/shell/value_prompt.h"
#include "core/store/dataset.h"

#include <QCloseEvent>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>

#include <exception>

namespace zorvane::app {

namespace {

// Geometry of the controls, in pixels: the grid on the left, the current chain on the right.
constexpr QRect kGrid{10, 10, 230, 260};
constexpr int kColumnX = 255;
constexpr int kEditWidth = 120;

QLineEdit* readOnlyEdit(const char* name, int y, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setReadOnly(true);
    edit->setGeometry(kColumnX, y, kEditWidth, edit->sizeHint().height());
    return edit;
}

QLabel* label(const char* name, const char* text, int y, QWidget* parent) {
    auto* caption = new QLabel(QString::fromUtf8(text), parent);
    caption->setObjectName(QString::fromLatin1(name));
    caption->move(kColumnX, y);
    caption->adjustSize();
    return caption;
}

} // namespace

NodeDialog::NodeDialog(store::Dataset& chains, QWidget* parent)
    : QDialog(parent, kOkOnlyDialogFlags), chains_(chains) {
    setObjectName(QStringLiteral("TfrmNode"));
    setWindowTitle(QStringLiteral("选择链号和节距"));

    grid_ = new QTableView(this);
    grid_->setObjectName(QStringLiteral("DBGrid1"));
    grid_->setGeometry(kGrid);
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    grid_->verticalHeader()->setDefaultSectionSize(20);
    grid_->horizontalHeader()->setStretchLastSection(true);
    model_ = new DatasetModel(grid_);
    grid_->setModel(model_);
    model_->setDataset(&chains_);
    grid_->resizeColumnsToContents();
    followDatasetCursor(*grid_, *model_);

    label("Label1", "链号：", 30, this);
    chainNumber_ = readOnlyEdit("DBEdit1", 50, this);
    label("Label2", "节距：", 90, this);
    pitch_ = readOnlyEdit("DBEdit2", 110, this);
    auto* unit = new QLabel(QStringLiteral("mm"), this);
    unit->setObjectName(QStringLiteral("lblUnit"));
    unit->adjustSize();
    unit->move(kColumnX + kEditWidth + 4, 110 + (pitch_->height() - unit->sizeHint().height()) / 2);
    auto* advice = new QLabel(QStringLiteral("优先选用节距较大的链号!"), this);
    advice->setObjectName(QStringLiteral("Label3"));
    advice->setWordWrap(true);
    setTextColour(*advice, Qt::red);
    advice->setGeometry(kColumnX, 150, kEditWidth, 2 * advice->fontMetrics().lineSpacing() + 4);
    ok_ = new QPushButton(QStringLiteral("确定"), this);
    ok_->setObjectName(QStringLiteral("btnNodeOK"));
    ok_->setDefault(true); // Enter in the grid confirms the row chosen
    ok_->setGeometry(kColumnX + (kEditWidth - 80) / 2, kGrid.bottom() - 30, 80, 26);
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
    connect(grid_, &QAbstractItemView::doubleClicked, ok_, &QPushButton::click);

    auto* route = new FocusRoute(this);
    route->add(chainNumber_, pitch_, FocusRoute::Enter);
    route->add(pitch_, ok_, FocusRoute::Enter);

    connect(model_, &DatasetModel::currentRowChanged, this, &NodeDialog::showCurrent);
    showCurrent();

    // Client height: the grid's height + 20; client width: the right edge of the unit + 20.
    setFixedSize(unit->geometry().right() + 1 + 20, kGrid.height() + 20);
    grid_->setFocus();
}

void NodeDialog::showCurrent() {
    QString number;
    QString pitch;
    if (chains_.isOpen() && !chains_.isEmpty()) {
        try {
            number = qs(chains_.text("链号"));
            pitch = qs(chains_.text("节距"));
        } catch (const std::exception&) {
            // A table without these fields shows empty boxes; the grid still shows its rows.
        }
    }
    chainNumber_->setText(number);
    pitch_->setText(pitch);
}

void NodeDialog::closeEvent(QCloseEvent* event) {
    // The close box presses 确定 with the chain shown; nothing else closes the dialog.
    if (result() != QDialog::Accepted) {
        event->ignore();
        ok_->click();
    }
}

void NodeDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    centreOnScreen(*this);
}

} // namespace zorvane::app
