#pragma once
// The keyboard route of a step panel: Enter or Down in a field, or Down on a button, moves the
// focus to the next control of the route. The move is made as Tab makes it, so that the field
// left runs its leave check as it would on Tab.

#include <QObject>

#include <map>

class QWidget;

namespace zorvane::app {

class FocusRoute : public QObject {
public:
    explicit FocusRoute(QObject* parent = nullptr) : QObject(parent) {}

    // The keys that move on from a control. A button keeps Enter, which presses it.
    enum Keys { Down = 1, Enter = 2, EnterOrDown = Down | Enter };

    // From `from`, `keys` move the focus to `to`. A target that cannot take the focus (disabled
    // or hidden) hands the move on along its own route.
    void add(QWidget* from, QWidget* to, Keys keys);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Step {
        QWidget* to;
        Keys keys;
    };
    QWidget* target(QWidget* from) const;

    std::map<QObject*, Step> steps_;
};

} // namespace zorvane::app
