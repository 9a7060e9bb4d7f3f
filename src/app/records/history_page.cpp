#include "app/records/history_page.h"

#include "app/refdata/dataset_model.h"
#include "app/refdata/multiline_grid.h"
#include "app/shell/look.h"
#include "app/shell/panel_parts.h"
#include "app/shell/qt_text.h"
#include "core/store/table.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QSplitter>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

namespace zorvane::app {

HistoryPage::HistoryPage(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("tabHistory"));
    formula_ = new QLabel(this);
    formula_->setObjectName(QStringLiteral("imgHty"));
    formula_->setMinimumWidth(240);
    formula_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setBackground(*formula_, Qt::white);
    explanation_ = new QPlainTextEdit(this);
    explanation_->setObjectName(QStringLiteral("mmoHty"));
    explanation_->setReadOnly(true);

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
    formula_->clear();
    explanation_->clear();
    auto* history = dynamic_cast<store::Table*>(model_->dataset());
    if (!history || model_->currentRow() < 0 || history->state() != store::Table::State::Browse) {
        return;
    }
    const auto picture = history->field("公式").asBytes();
    QPixmap pixmap;
    if (!picture.empty() &&
        pixmap.loadFromData(picture.data(), static_cast<unsigned>(picture.size()))) {
        formula_->setPixmap(pixmap);
    }
    explanation_->setPlainText(qs(history->text("说明")));
}

} // namespace zorvane::app
