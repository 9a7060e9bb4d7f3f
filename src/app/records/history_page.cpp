#include "app/records/history_page.h"

#include "app/refdata/dataset_model.h"
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
    formula_->setStyleSheet(QStringLiteral("background: white;"));
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
    connect(grid_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                if (current.isValid()) {
                    move(current.row());
                }
            });

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
            if (!history_ || !history_->isOpen() || history_->isEmpty()) {
                return;
            }
            const int last = history_->recordCount() - 1;
            const int now = history_->recNo();
            const int target = id == QLatin1String("navFirst")   ? 0
                               : id == QLatin1String("navPrior") ? std::max(0, now - 1)
                               : id == QLatin1String("navNext")  ? std::min(last, now + 1)
                                                                 : last;
            move(target);
        });
    }
    navLayout->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(split, 1);
    layout->addWidget(navigator);
}

HistoryPage::~HistoryPage() {
    if (history_) {
        history_->unsubscribe(token_);
    }
}

void HistoryPage::bind(store::Table* history) {
    if (history_ == history) {
        return;
    }
    if (history_) {
        history_->unsubscribe(token_);
    }
    history_ = history;
    model_->setDataset(history);
    token_ = history_ ? history_->subscribe([this] { showCurrent(); },
                                            [this] {
                                                history_ = nullptr;
                                                showCurrent();
                                            })
                      : 0;
    showCurrent();
}

void HistoryPage::move(int row) {
    if (history_ && history_->isOpen() && row != history_->recNo()) {
        history_->moveTo(row);
    }
    showCurrent();
}

// The picture and the explanation follow the history's current entry.
void HistoryPage::showCurrent() {
    formula_->clear();
    explanation_->clear();
    if (!history_ || !history_->isOpen() || history_->isEmpty() ||
        history_->state() != store::Table::State::Browse) {
        return;
    }
    const auto picture = history_->field("公式").asBytes();
    QPixmap pixmap;
    if (!picture.empty() &&
        pixmap.loadFromData(picture.data(), static_cast<unsigned>(picture.size()))) {
        formula_->setPixmap(pixmap);
    }
    explanation_->setPlainText(qs(history_->text("说明")));
    const QModelIndex index = model_->index(history_->recNo(), 0);
    if (index.isValid() && grid_->currentIndex().row() != index.row()) {
        grid_->setCurrentIndex(index);
    }
}

} // namespace zorvane::app
