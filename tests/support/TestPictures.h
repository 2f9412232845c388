#pragma once
// Shared helpers of the tests: small pictures written as text rows, so a
// test's intent is visible, and exact comparisons against surfaces.
//
//   Surface s = surfaceFromRows({"....",
//                                ".##.",
//                                "...."}, {{'.', kWhite}, {'#', kBlack}});
//   EXPECT_EQ(rowsOf(s, legend), expectedRows);

#include "canvas/Surface.h"

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace pictavo::test {

using Legend = std::map<char, Color>;
// '.' white, '#' black, 'r' red, 'g' green, 'b' blue, 'm' magenta.
const Legend& defaultLegend();

Surface surfaceFromRows(const std::vector<std::string>& rows, const Legend& legend = defaultLegend());
// The layer drawing goes to, as rows; a colour missing from the legend is '?'.
std::vector<std::string> rowsOf(const Surface& s, const Legend& legend = defaultLegend());
// The visible layer as rows.
std::vector<std::string> visibleRowsOf(const Surface& s, const Legend& legend = defaultLegend());

// The number of the program error f throws; 0 when it throws none.
int errorOf(const std::function<void()>& f);

// Path of a file in ../shared/testdata, or empty when that folder is absent.
std::string testDataPath(const std::string& relative);

}  // namespace pictavo::test
