#pragma once
// The fixed tree of reference table titles on the 查询 page.

class QTreeWidget;
class QWidget;

namespace zorvane::app {

QTreeWidget* buildReferenceTree(QWidget* parent);

} // namespace zorvane::app
