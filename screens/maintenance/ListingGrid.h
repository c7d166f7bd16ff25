#pragma once

namespace mnt4820 {

// Where the listing lies in the grid: a title row, then one row a pair; a hidden column 0, then center code,
// center name and partner code.
struct ListingGrid {
  static constexpr int FirstDataRow = 1;
  static constexpr int Cols = 4;
  static constexpr int CenterCol = 1;
  static constexpr int CenterNameCol = 2;
  static constexpr int PartnerCol = 3;
};

}  // namespace mnt4820
