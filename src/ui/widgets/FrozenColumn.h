#pragma once
// The fixed first column of a wide grid: a second view over the host's model, delegate and
// selection, laid over the host's column 0 and scrolled up and down with it. The host hides
// the other columns in it, sizes it and places it (its geometry depends on the host's headers).
class QTableView;

// The frozen view gets grouped titles of titleLevels levels read from levelsRole. It takes
// the host's font, selection behaviour and mode and vertical scroll mode as they are now,
// and its row height from the host's vertical header.
QTableView *createFrozenColumn(QTableView *host, int levelsRole, int titleLevels);
