// zorvane-report: writes the reports of the design whose working tables lie in a database
// directory (combined, init, result, size, history) as PDF, plain text, CSV and HTML into an
// output directory. Exit 0 when all were written, 1 when a working table is missing or cannot be
// read, 2 when the command line is wrong, 3 when the output directory cannot be written.

#include "app/shell/fonts.h"
#include "core/store/store_error.h"
#include "tools/db_out_arguments.h"
#include "tools/report/report_tool.h"

#include <QGuiApplication>

#include <iostream>
#include <optional>
#include <string_view>

namespace {

constexpr const char* kUsage = "用法：zorvane-report --db DIR --out DIR";

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
    QGuiApplication app(argc, argv);
    zorvane::app::installChineseFontSubstitutes();
    try {
        const auto written = zorvane::reporttool::writeReports(args->db, args->out);
        std::cout << "已写入 " << written.size() << " 个文件到“" << args->out.string() << "”\n";
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
