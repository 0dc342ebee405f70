// The arithmetic of tab strip layout, free of windows: compressing lengths into a room,
// splitting tabs into rows and stretching a row to the room.
#pragma once

#include <vector>

// Shrinks lengths whose total exceeds the room: short tabs keep their length, the longer ones
// share what is left equally (remainders go to the later ones). A room below 0 counts as 0.
void ZpTabCompressLengths(std::vector<int>& lengths, int nRoom);

// Rows filled one after another: a row ends when the next tab would overflow it. Writes each
// tab's row and returns the number of rows (at least 1).
int ZpTabSplitRowsGreedy(const std::vector<int>& lengths, int nRoom, std::vector<int>& rows);

// Spreads the tabs over nRows rows of similar width (with bJustify) or filling the room; FALSE
// (rows unchanged) when they cannot be split so.
bool ZpTabSplitRowsBalanced(const std::vector<int>& lengths, int nRows, int nRoom, bool bJustify,
                            std::vector<int>& rows);

// Stretches one row's lengths so that it ends exactly at the room's end; no length below 0.
void ZpTabJustifyRow(std::vector<int>& lengths, int nRoom);
