#pragma once
// Keeps the last rows of a record grid in view after its table changed, as the rows a step has
// just added are the ones to read; also while the page is still being laid out around the grid
// (shown, the size area opened). Once the user scrolls or clicks in the grid, the grid stays where
// the user put it until the table changes again.

class QTableView;

namespace zorvane::app {

// The grid's model must be set; the helper lives as long as the grid.
void keepNewRowsInView(QTableView& view);

} // namespace zorvane::app
