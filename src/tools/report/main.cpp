// zorvane-report: writes the reports of the design whose working tables lie in a database
// directory (combined, init, result, size, history) as PDF, plain text, CSV and HTML into an
// output directory. Exit 0 when all were written, 1 when a working table is missing or cannot be
// read, 2 when the command line is wrong or another program (the window, zorvane-calc) is
// writing the design, 3 when the output directory cannot be written.

#include "core/store/stale_files.h"
#include "core/store/store_error.h"
#include "render/fonts.h"
#include "tools/db_out_arguments.h"
#include "tools/report/report_tool.h"

#include <QGuiApplication>

#include <iostream>
#include <optional>
#include <string_view>

namespace {

// Shown when the command line is wrong.
constexpr const char* kUsage =
    "用法：zorvane-report --db DIR --out DIR\n"
    "退出码：0 已写入；1 设计数据表缺失或无法读取；"
    "2 命令行有误，或另一个程序（窗口或 zorvane-calc）正在使用这个数据库目录；3 输出目录无法写入";

} // namespace

int main(int argc, char** argv) {
    const auto args = zorvane::tools::parseDbOutArguments(argc, argv);
    if (!args) {
        std::cerr << kUsage << '\n';
        return 2;
    }
    // Fonts and PDF pages need a Qt platform, never a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    zorvane::store::removeStaleTemporaries(args->db);
    QGuiApplication app(argc, argv);
    zorvane::render::installChineseFontSubstitutes();
    try {
        const auto written = zorvane::reporttool::writeReports(args->db, args->out);
        std::cout << "已写入 " << written.size() << " 个文件到“" << args->out.string() << "”\n";
    } catch (const zorvane::store::WorkspaceBusy& error) {
        std::cerr << "zorvane-report: " << error.what() << '\n';
        return 2;
    } catch (const zorvane::store::StoreError& error) {
        std::cerr << "zorvane-report: 无法读取设计数据表：" << error.what() << '\n';
        return 1;
    } catch (const zorvane::reporttool::OutputError& error) {
        std::cerr << "zorvane-report: " << error.what() << '\n';
        return 3;
    } catch (const std::exception& error) {
        std::cerr << "zorvane-report: 报表未能写出：" << error.what() << '\n';
        return 1;
    }
    return 0;
}
