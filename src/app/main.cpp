#include <QApplication>
#include <QMessageBox>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QMessageBox::information(nullptr, QStringLiteral("Zorvane"),
                             QStringLiteral("Zorvane 的主窗口尚在建造中：目前只有参考数据库和数据层。"));
    return 0;
}
