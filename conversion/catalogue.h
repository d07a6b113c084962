#pragma once

#include <array>
#include <string_view>

namespace mensurio {

// One conversion formula. The list entry differs from the formula only where the list shows
// trailing blanks that the result box title does not. The note, empty in most rows, tells the
// user where the factor converts other units than the text names, or follows an older definition;
// the text stays as it has always read.
struct CatalogueRow {
    std::string_view formula;
    std::string_view listEntry;
    double factor;
    std::string_view note;
};

inline constexpr int kCatalogueSize = 925;

// Row n (1-based conversion number) is kCatalogue[n - 1]; generated from catalogue.tsv.
extern const std::array<CatalogueRow, kCatalogueSize> kCatalogue;

// The row whose conversion number equals `number`, or nullptr: only the whole numbers 1 to 925
// name a row, so 0, 926, -1, 2.5 and NaN select nothing.
const CatalogueRow* findRow(float number);

} // namespace mensurio
