#include "catalogue.h"

#include <cmath>

namespace mensurio {

const CatalogueRow* findRow(float number)
{
    if (!(number >= 1.0f && number <= static_cast<float>(kCatalogueSize)) ||
        std::trunc(number) != number)
        return nullptr;
    return &kCatalogue[static_cast<std::size_t>(number) - 1];
}

} // namespace mensurio
