#pragma once
// Tells when the user leaves a field of a step panel: by Tab, by the keyboard route, by a click
// elsewhere or by a shortcut. Focus moves the program makes itself (putting the focus back into
// a refused field, a message box taking the focus, a panel being hidden) are not leaves, so that
// a refused field and the one the user went to never check each other in turn.

#include <QObject>

class QWidget;

namespace zorvane::app {

class FieldLeave : public QObject {
    Q_OBJECT
public:
    // `panel`: the leaves count only while it is shown.
    explicit FieldLeave(QWidget* panel);

    void watch(QWidget* field);

signals:
    void left(QWidget* field);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* panel_;
};

} // namespace zorvane::app
