// The grids over the table store: the dataset model following a real table in a temporary
// directory, and the grid of several lines per row.

#include "app/refdata/dataset_model.h"
#include "app/refdata/multiline_grid.h"
#include "core/store/table.h"
#include "support/temp_dir.h"

#include <QBuffer>
#include <QHeaderView>
#include <QImage>
#include <QPainter>
#include <QSignalSpy>
#include <QTest>

#include <memory>

using namespace zorvane;
using store::FieldKind;
using store::Value;

namespace {

QString u(const char* text) {
    return QString::fromUtf8(text);
}

store::Bytes png(const QSize& size) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::red);
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return store::Bytes(data.begin(), data.end());
}

void appendRow(store::Table& table, const char* item, double value, const char* memo,
               const store::Bytes& picture = {}) {
    table.append();
    table.setField("项目", Value(item));
    table.setField("数值", Value(value));
    table.setField("步骤", Value(table.recordCount() + 1));
    if (memo) {
        table.setField("说明", Value(memo));
    }
    if (!picture.empty()) {
        table.setField("公式", Value(picture));
    }
    table.post();
}

} // namespace

class GridTest : public QObject {
    Q_OBJECT

    std::unique_ptr<testing::TempDir> dir_;
    std::unique_ptr<store::Table> table_;

private slots:
    // A history-like table of text, number, integer, memo and graphic fields.
    void init() {
        dir_ = std::make_unique<testing::TempDir>();
        table_ = std::make_unique<store::Table>(dir_->path(), "Hty_Test");
        table_->setFieldDefs({{"项目", FieldKind::Text, 20},
                              {"数值", FieldKind::Number},
                              {"步骤", FieldKind::Integer},
                              {"说明", FieldKind::Memo},
                              {"公式", FieldKind::Graphic}});
        table_->create();
        table_->setReadOnly(false);
        table_->open();
        appendRow(*table_, "链条速度", 2.25, "链条的平均速度\n第二行", png({30, 20}));
        appendRow(*table_, "中心距", 1e-7, "a&b");
        appendRow(*table_, "齿数", 19, nullptr);
    }
    void cleanup() {
        table_.reset();
        dir_.reset();
    }

    void showsFieldsAndValues_data() {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QSize>("picture");
        QTest::newRow("text") << 0 << 0 << u("链条速度") << QSize();
        QTest::newRow("shortest number") << 0 << 1 << u("2.25") << QSize();
        QTest::newRow("tiny number") << 1 << 1 << u("1E-7") << QSize();
        QTest::newRow("integer") << 2 << 2 << u("3") << QSize();
        QTest::newRow("memo in full") << 0 << 3 << u("链条的平均速度\n第二行") << QSize();
        QTest::newRow("ampersand as it is") << 1 << 3 << u("a&b") << QSize();
        QTest::newRow("picture, no text") << 0 << 4 << QString() << QSize(30, 20);
        QTest::newRow("no picture") << 1 << 4 << QString() << QSize();
    }
    void showsFieldsAndValues() {
        QFETCH(int, row);
        QFETCH(int, column);
        QFETCH(QString, text);
        QFETCH(QSize, picture);
        app::DatasetModel model;
        model.setDataset(table_.get());
        QCOMPARE(model.columnCount(), 5);
        QCOMPARE(model.rowCount(), 3);
        QCOMPARE(model.headerData(3, Qt::Horizontal).toString(), u("说明"));
        const QModelIndex cell = model.index(row, column);
        QCOMPARE(model.data(cell).toString(), text);
        QCOMPARE(model.data(cell, Qt::DecorationRole).value<QPixmap>().size(),
                 picture.isValid() ? picture : QSize(0, 0));
    }

    // The writers' rhythm: append, delete, close, open, empty.
    void rowsFollowTheTable() {
        app::DatasetModel model;
        model.setDataset(table_.get());
        appendRow(*table_, "压轴力", 1500.5, nullptr);
        QCOMPARE(model.rowCount(), 4);
        QCOMPARE(model.data(model.index(3, 0)).toString(), u("压轴力"));
        table_->moveTo(1);
        table_->deleteRows(3);
        QCOMPARE(model.rowCount(), 1);
        table_->close();
        QCOMPARE(model.rowCount(), 0); // a closed table shows no rows
        QVERIFY(!model.data(model.index(0, 0)).isValid());
        table_->open();
        QCOMPARE(model.rowCount(), 1);
        table_->emptyTable();
        QCOMPARE(model.rowCount(), 0);
        table_.reset(); // a destroyed table unbinds itself
        QCOMPARE(model.dataset(), nullptr);
        QCOMPARE(model.columnCount(), 0);
    }

    void editInPlaceUpdatesTheRow() {
        app::DatasetModel model;
        model.setDataset(table_.get());
        table_->moveTo(0);
        QVERIFY(!model.data(model.index(0, 4), Qt::DecorationRole).isNull());
        QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
        table_->edit();
        table_->setField("项目", Value("平均链速"));
        table_->setField("公式", Value(png({8, 6})));
        table_->post();
        QCOMPARE(changed.count(), 1);
        QCOMPARE(changed[0][0].toModelIndex().row(), 0);
        QCOMPARE(model.data(model.index(0, 0)).toString(), u("平均链速"));
        QCOMPARE(model.data(model.index(0, 4), Qt::DecorationRole).value<QPixmap>().size(),
                 QSize(8, 6));
    }

    // The grid and the table's cursor move together, both ways.
    void gridFollowsTheCursor() {
        app::DatasetModel model;
        model.setDataset(table_.get());
        QSignalSpy moves(&model, &app::DatasetModel::currentRowChanged);
        app::MultiLineGrid grid;
        grid.setModel(&model);
        QCOMPARE(grid.currentIndex().row(), table_->recNo());
        table_->moveTo(1);
        QCOMPARE(moves.size(), 1);
        QCOMPARE(model.currentRow(), 1);
        QCOMPARE(grid.currentIndex().row(), 1);
        grid.setCurrentIndex(model.index(0, 1));
        QCOMPARE(table_->recNo(), 0);
        appendRow(*table_, "压轴力", 1500.5, nullptr); // the post leaves the cursor on it
        QCOMPARE(grid.currentIndex().row(), 3);
    }

    void rowHeightsFollowLinesPerRow_data() {
        QTest::addColumn<int>("lines");
        QTest::addColumn<bool>("gridLines");
        QTest::addColumn<int>("expectedLines");
        QTest::newRow("one line") << 1 << true << 1;
        QTest::newRow("three lines") << 3 << true << 3;
        QTest::newRow("without grid lines") << 2 << false << 2;
        QTest::newRow("never below one") << 0 << true << 1;
    }
    void rowHeightsFollowLinesPerRow() {
        QFETCH(int, lines);
        QFETCH(bool, gridLines);
        QFETCH(int, expectedLines);
        app::DatasetModel model;
        model.setDataset(table_.get());
        app::MultiLineGrid grid;
        QFont font(u("宋体"));
        font.setPixelSize(12);
        QFont titles = font;
        titles.setPixelSize(13);
        titles.setBold(true);
        grid.setModel(&model);
        grid.setShowGrid(gridLines);
        grid.setFont(font);
        grid.horizontalHeader()->setFont(titles);
        grid.setLinesPerRow(lines);
        QCOMPARE(grid.linesPerRow(), expectedLines);
        const int line = QFontMetrics(font).height() + 3 + (gridLines ? 1 : 0);
        QCOMPARE(grid.rowHeight(2), line * expectedLines);
        QCOMPARE(grid.horizontalHeader()->height(),
                 QFontMetrics(titles).height() + 4 + (gridLines ? 1 : 0));
    }

    void picturePlacement_data() {
        QTest::addColumn<QSize>("picture");
        QTest::addColumn<QRect>("expected");
        // A cell of 100 x 40 px: its inner rectangle is (2, 2, 96 x 36).
        QTest::newRow("wider and taller: stretched") << QSize(200, 60) << QRect(2, 2, 96, 36);
        QTest::newRow("only wider: natural") << QSize(200, 30) << QRect(2, 2, 200, 30);
        QTest::newRow("only taller: natural") << QSize(50, 80) << QRect(2, 2, 50, 80);
        QTest::newRow("as wide as the column") << QSize(100, 80) << QRect(2, 2, 100, 80);
    }
    void picturePlacement() {
        QFETCH(QSize, picture);
        QFETCH(QRect, expected);
        QCOMPARE(app::MultiLineDelegate::pictureRect(QRect(0, 0, 100, 40), picture), expected);
    }

    // At one line per row a memo is one line; at three its words wrap onto the next lines.
    void memoWrapsOnlyWithSeveralLines_data() {
        QTest::addColumn<int>("lines");
        QTest::addColumn<bool>("wrapped");
        QTest::newRow("one line") << 1 << false;
        QTest::newRow("three lines") << 3 << true;
    }
    void memoWrapsOnlyWithSeveralLines() {
        QFETCH(int, lines);
        QFETCH(bool, wrapped);
        table_->moveTo(2);
        table_->setField("说明", Value("链轮 齿数 越少 传动 越不 平稳 冲击 越大"));
        table_->post();
        app::DatasetModel model;
        model.setDataset(table_.get());
        app::MultiLineDelegate delegate;
        delegate.setLinesPerRow(lines);
        QStyleOptionViewItem option;
        option.font = QFont(u("宋体"));
        option.font.setPixelSize(12);
        option.fontMetrics = QFontMetrics(option.font);
        const int line = option.fontMetrics.height();
        QImage image(120, line * 3 + 8, QImage::Format_RGB32);
        image.fill(Qt::white);
        option.rect = image.rect();
        option.palette.setColor(QPalette::Base, Qt::white);
        option.palette.setColor(QPalette::Text, Qt::black);
        option.state = QStyle::State_Enabled | QStyle::State_Active;
        {
            QPainter painter(&image);
            delegate.paint(&painter, option, model.index(2, 3));
        }
        // Ink below the first line: a one-line cell centres its line vertically.
        const int below = (lines > 1 ? 2 : (image.height() - line) / 2) + line + 1;
        bool inked = false;
        for (int y = below; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                inked = inked || qGray(image.pixel(x, y)) < 128;
            }
        }
        QCOMPARE(inked, wrapped);
    }
};

QTEST_MAIN(GridTest)
#include "grid_test.moc"
