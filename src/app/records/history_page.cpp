#include "app/records/history_page.h"

#include "app/refdata/dataset_model.h"
#include "app/refdata/multiline_grid.h"
#include "app/shell/look.h"
#include "app/shell/panel_parts.h"
#include "app/shell/qt_text.h"
#include "core/store/table.h"

#include <QApplication>
#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QSplitter>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

namespace zorvane::app {

namespace {

// The formula of the current entry is drawn up to this many times its stored size, to be read
// from a normal distance, and never larger than its viewer.
constexpr double kFormulaEnlargement = 2.0;
// Grid rows are this many text lines high, so that a formula in its cell can be made out.
constexpr int kGridLines = 2;
// The explanation is read as running text.
constexpr int kExplanationPixels = 16;

// Draws a picture cell scaled down to fit the cell, in its proportions and in the middle, so that
// a formula never spills into the rows around it; other cells as usual.
class FittedPictureDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        const QVariant decoration = index.data(Qt::DecorationRole);
        if (decoration.typeId() != QMetaType::QPixmap) {
            QStyledItemDelegate::paint(painter, option, index);
            return;
        }
        QStyleOptionViewItem plain = option;
        initStyleOption(&plain, index);
        plain.icon = QIcon();
        plain.features &= ~QStyleOptionViewItem::HasDecoration;
        const QWidget* view = option.widget;
        QStyle* style = view ? view->style() : QApplication::style();
        style->drawControl(QStyle::CE_ItemViewItem, &plain, painter, view);
        const QPixmap picture = decoration.value<QPixmap>();
        const QRect room = option.rect.adjusted(2, 2, -2, -2);
        if (picture.isNull() || room.isEmpty()) {
            return;
        }
        const QSize fitted = picture.size().boundedTo(room.size()) == picture.size()
                                 ? picture.size()
                                 : picture.size().scaled(room.size(), Qt::KeepAspectRatio);
        QRect target(QPoint(0, 0), fitted);
        target.moveCenter(room.center());
        painter->save();
        painter->setClipRect(room);
        painter->setRenderHint(QPainter::SmoothPixmapTransform);
        painter->drawPixmap(target, picture);
        painter->restore();
    }
};

} // namespace

HistoryPage::HistoryPage(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("tabHistory"));
    formula_ = new QLabel(this);
    formula_->setObjectName(QStringLiteral("imgHty"));
    formula_->setMinimumWidth(240);
    formula_->setAlignment(Qt::AlignCenter);
    // The picture follows the viewer's size, not the other way round.
    formula_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    formula_->installEventFilter(this);
    setBackground(*formula_, Qt::white);
    explanation_ = new QPlainTextEdit(this);
    explanation_->setObjectName(QStringLiteral("mmoHty"));
    explanation_->setReadOnly(true);
    setPixelSize(*explanation_, kExplanationPixels);

    auto* heads = new QHBoxLayout;
    heads->setSpacing(0);
    heads->addWidget(pageHeader(QStringLiteral("公    式"), this));
    heads->addWidget(pageHeader(QStringLiteral("说    明"), this));
    auto* viewers = new QSplitter(Qt::Horizontal, this);
    viewers->addWidget(formula_);
    viewers->addWidget(explanation_);
    viewers->setSizes({240, 400});

    grid_ = new QTableView(this);
    grid_->setObjectName(QStringLiteral("grdHty"));
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    grid_->horizontalHeader()->setStretchLastSection(true);
    grid_->setVerticalScrollMode(QAbstractItemView::ScrollPerItem); // whole rows, also by wheel
    grid_->setItemDelegate(new FittedPictureDelegate(grid_));
    grid_->verticalHeader()->setDefaultSectionSize(kGridLines * grid_->fontMetrics().lineSpacing() +
                                                   6);
    model_ = new DatasetModel(grid_);
    grid_->setModel(model_);
    // The grid and the history's cursor follow each other; the viewers follow the cursor.
    followDatasetCursor(*grid_, *model_);
    connect(model_, &DatasetModel::currentRowChanged, this, &HistoryPage::showCurrent);
    connect(model_, &QAbstractItemModel::dataChanged, this, &HistoryPage::showCurrent);

    auto* upper = new QWidget(this);
    auto* upperLayout = new QVBoxLayout(upper);
    upperLayout->setContentsMargins(0, 0, 0, 0);
    upperLayout->addLayout(heads);
    upperLayout->addWidget(viewers, 1);
    auto* split = new QSplitter(Qt::Vertical, this);
    split->addWidget(upper);
    split->addWidget(grid_);

    // The navigator: first, previous, next, last.
    auto* navigator = new QWidget(this);
    navigator->setObjectName(QStringLiteral("DBNavigator1"));
    auto* navLayout = new QHBoxLayout(navigator);
    navLayout->setContentsMargins(0, 0, 0, 0);
    const std::array<std::pair<const char*, const char*>, 4> buttons{
        {{"navFirst", "|◀"}, {"navPrior", "◀"}, {"navNext", "▶"}, {"navLast", "▶|"}}};
    for (const auto& [name, text] : buttons) {
        auto* button = new QToolButton(navigator);
        button->setObjectName(QString::fromLatin1(name));
        button->setText(QString::fromUtf8(text));
        navLayout->addWidget(button);
        const QString id = QString::fromLatin1(name);
        connect(button, &QToolButton::clicked, this, [this, id] {
            const int last = model_->rowCount() - 1;
            const int now = model_->currentRow();
            if (now < 0) {
                return;
            }
            const int target = id == QLatin1String("navFirst")   ? 0
                               : id == QLatin1String("navPrior") ? std::max(0, now - 1)
                               : id == QLatin1String("navNext")  ? std::min(last, now + 1)
                                                                 : last;
            model_->moveTo(target);
        });
    }
    navLayout->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(split, 1);
    layout->addWidget(navigator);
}

void HistoryPage::bind(store::Table* history) {
    model_->setDataset(history);
}

// The picture and the explanation follow the history's current entry.
void HistoryPage::showCurrent() {
    picture_ = QPixmap();
    formula_->clear();
    explanation_->clear();
    auto* history = dynamic_cast<store::Table*>(model_->dataset());
    if (!history || model_->currentRow() < 0 || history->state() != store::Table::State::Browse) {
        return;
    }
    const auto picture = history->field("公式").asBytes();
    if (!picture.empty()) {
        picture_.loadFromData(picture.data(), static_cast<unsigned>(picture.size()));
    }
    fitFormula();
    explanation_->setPlainText(qs(history->text("说明")));
}

// The formula as large as the viewer allows, up to the enlargement, in its proportions.
void HistoryPage::fitFormula() {
    if (picture_.isNull()) {
        formula_->clear();
        return;
    }
    const QSize room = formula_->contentsRect().size() - QSize(16, 16);
    const QSize largest = picture_.size() * kFormulaEnlargement;
    const QSize fitted =
        largest.scaled(room.boundedTo(largest).expandedTo(QSize(1, 1)), Qt::KeepAspectRatio);
    formula_->setPixmap(fitted == picture_.size() ? picture_
                                                  : picture_.scaled(fitted, Qt::KeepAspectRatio,
                                                                    Qt::SmoothTransformation));
}

bool HistoryPage::eventFilter(QObject* watched, QEvent* event) {
    if (watched == formula_ && event->type() == QEvent::Resize) {
        fitFormula();
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace zorvane::app
