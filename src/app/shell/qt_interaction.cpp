#include "app/shell/qt_interaction.h"

#include "app/records/designer_dialog.h"
#include "app/reports/preview_dialog.h"
#include "app/roller/node_dialog.h"
#include "app/shell/choice_dialog.h"
#include "app/shell/qt_text.h"
#include "app/shell/value_prompt.h"
#include "app/toothed/list_dialog.h"

#include "app/shell/user_settings.h"
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>

#include <array>

namespace zorvane::app {

using design::Answer;
using design::Buttons;

namespace {

QMessageBox::Icon iconOf(design::MessageIcon icon) {
    switch (icon) {
    case design::MessageIcon::Error:
        return QMessageBox::Critical;
    case design::MessageIcon::Warning:
        return QMessageBox::Warning;
    case design::MessageIcon::Question:
        return QMessageBox::Question;
    case design::MessageIcon::Information:
        break;
    }
    return QMessageBox::Information;
}

struct Choice {
    Answer answer;
    QMessageBox::StandardButton button;
    const char* text;
};

constexpr Choice kOk{Answer::Ok, QMessageBox::Ok, "确定"};
// 是 and 否 answer to Alt+Y and Alt+N as well.
constexpr Choice kYes{Answer::Yes, QMessageBox::Yes, "是(&Y)"};
constexpr Choice kNo{Answer::No, QMessageBox::No, "否(&N)"};
constexpr Choice kCancel{Answer::Cancel, QMessageBox::Cancel, "取消"};

// The buttons of each set, left to right; the last one is what Escape and the close box answer.
struct ButtonSet {
    std::array<Choice, 3> choices;
    std::size_t count;
};

ButtonSet buttonSet(Buttons buttons) {
    switch (buttons) {
    case Buttons::YesNo:
        return {{kYes, kNo, kNo}, 2};
    case Buttons::YesNoCancel:
        return {{kYes, kNo, kCancel}, 3};
    case Buttons::Ok:
        break;
    }
    return {{kOk, kOk, kOk}, 1};
}

// The folder a file dialog starts in: the one asked for, else the one last chosen in any file
// dialog, kept in the settings between runs.
constexpr const char* kLastFolderKey = "files/lastFolder";

QString startFolder(const std::string& folder) {
    if (!folder.empty()) {
        return qs(folder);
    }
    return UserSettings().value(QString::fromLatin1(kLastFolderKey)).toString();
}

void rememberFolder(const QString& file) {
    UserSettings().setValue(QString::fromLatin1(kLastFolderKey), QFileInfo(file).absolutePath());
}

} // namespace

Answer QtInteraction::ask(const design::Message& message) {
    QMessageBox box(iconOf(message.icon), qs(message.title), qs(message.text),
                    QMessageBox::NoButton, parent_);
    box.setTextFormat(Qt::PlainText); // a message such as "a<b" is not markup
    const ButtonSet set = buttonSet(message.buttons);
    QAbstractButton* escape = nullptr;
    for (std::size_t i = 0; i < set.count; ++i) {
        QPushButton* button = box.addButton(set.choices[i].button);
        button->setText(QString::fromUtf8(set.choices[i].text));
        escape = button;
    }
    // A default that the set lacks leaves the first button the default.
    box.setDefaultButton(set.choices[0].button);
    for (std::size_t i = 0; i < set.count; ++i) {
        if (set.choices[i].answer == message.defaultButton) {
            box.setDefaultButton(set.choices[i].button);
        }
    }
    box.setEscapeButton(escape);
    box.exec();
    const auto clicked = box.standardButton(box.clickedButton());
    for (std::size_t i = 0; i < set.count; ++i) {
        if (set.choices[i].button == clicked) {
            return set.choices[i].answer;
        }
    }
    return set.choices[set.count - 1].answer;
}

std::optional<std::string> QtInteraction::promptQuery(const std::string& caption,
                                                      const std::string& prompt,
                                                      const std::string& value) {
    QString text = qs(value);
    if (!PromptQuery(qs(caption), qs(prompt), text, parent_)) {
        return std::nullopt;
    }
    return utf8(text);
}

std::optional<std::string> QtInteraction::inputBox(const std::string& caption,
                                                   const std::string& prompt,
                                                   const std::string& defaultText) {
    QInputDialog dialog(parent_);
    dialog.setObjectName(QStringLiteral("InputBox"));
    dialog.setInputMode(QInputDialog::TextInput);
    dialog.setWindowTitle(qs(caption));
    dialog.setLabelText(qs(prompt));
    dialog.setTextValue(qs(defaultText));
    dialog.setOkButtonText(QStringLiteral("确定"));
    dialog.setCancelButtonText(QStringLiteral("取消"));
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return utf8(dialog.textValue());
}

bool QtInteraction::editDesigner(design::DesignerBoxes& boxes) {
    // The boxes belong to the designer information in the core, which keeps them between
    // showings; the dialog only edits them for the time it is open.
    DesignerDialog dialog(parent_);
    dialog.load(boxes);
    const bool confirmed = dialog.exec() == QDialog::Accepted;
    boxes = dialog.boxes();
    return confirmed;
}

bool QtInteraction::chooseChainNumber(store::Dataset& chains) {
    NodeDialog dialog(chains, parent_);
    return dialog.exec() == QDialog::Accepted;
}

int QtInteraction::chooseItem(const std::string& dialog, const std::string& caption,
                              const std::string& label, const std::vector<std::string>& items,
                              int preselected) {
    return chooseFromDropDown(dialog, caption, label, items, preselected, parent_);
}

std::optional<std::string> QtInteraction::chooseFromList(const std::string& dialog,
                                                         const std::string& caption,
                                                         const std::string& listLabel,
                                                         const std::string& editLabel,
                                                         const std::vector<std::string>& items) {
    return chooseListValue(dialog, caption, listLabel, editLabel, items, parent_);
}

void QtInteraction::previewReport(const report::Document& document) {
    PreviewDialog preview(document, *this, parent_);
    preview.exec();
}

std::optional<design::SavedFile> QtInteraction::saveFile(const design::SaveFileDialog& dialog) {
    QStringList filters;
    for (const std::string& filter : dialog.filters) {
        filters << qs(filter);
    }
    // The dialog asks before it replaces an existing file.
    QString start = startFolder(dialog.folder);
    if (!dialog.fileName.empty()) {
        start = start.isEmpty() ? qs(dialog.fileName) : QDir(start).filePath(qs(dialog.fileName));
    }
    QFileDialog files(parent_, qs(dialog.caption), start);
    files.setAcceptMode(QFileDialog::AcceptSave);
    files.setNameFilters(filters);
    files.setDefaultSuffix(qs(dialog.defaultSuffix));
    const auto first = static_cast<qsizetype>(dialog.filter);
    if (first < filters.size()) {
        files.selectNameFilter(filters[first]);
    }
    if (files.exec() != QDialog::Accepted || files.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    rememberFolder(files.selectedFiles().front());
    return design::SavedFile{files.selectedFiles().front().toStdString(),
                             static_cast<int>(filters.indexOf(files.selectedNameFilter()))};
}

std::optional<std::string> QtInteraction::openFile(const design::OpenFileDialog& dialog) {
    QStringList filters;
    for (const std::string& filter : dialog.filters) {
        filters << qs(filter);
    }
    QFileDialog files(parent_, qs(dialog.caption), startFolder(dialog.folder));
    files.setAcceptMode(QFileDialog::AcceptOpen);
    files.setFileMode(QFileDialog::ExistingFile);
    files.setNameFilters(filters);
    files.setDefaultSuffix(qs(dialog.defaultSuffix));
    if (files.exec() != QDialog::Accepted || files.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    rememberFolder(files.selectedFiles().front());
    return files.selectedFiles().front().toStdString();
}

bool QtInteraction::choosePrinter(design::PrintSettings& settings) {
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dialog(&printer, parent_);
    dialog.setMinMax(std::max(1, settings.fromPage), std::max(1, settings.toPage));
    if (dialog.exec() != QDialog::Accepted) {
        return false;
    }
    settings.printer = printer.printerName().toStdString();
    settings.outputFile = printer.outputFormat() == QPrinter::PdfFormat
                              ? printer.outputFileName().toStdString()
                              : std::string();
    settings.copies = printer.copyCount();
    const bool range = printer.printRange() == QPrinter::PageRange;
    settings.fromPage = range ? printer.fromPage() : 0;
    settings.toPage = range ? printer.toPage() : 0;
    return true;
}

} // namespace zorvane::app
