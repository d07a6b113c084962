#include "flow.h"

#include "catalogue.h"
#include "platform/platform.h"

#include <cmath>
#include <utility>

namespace mensurio {

ConversionFlow::ConversionFlow(Platform& platform, std::function<void()> formLoad)
    : platform_(platform)
    , formLoad_(std::move(formLoad))
{}

void ConversionFlow::List1_Click(int listIndex)
{
    one = static_cast<float>(listIndex);
    one += 1.0f;
    for (;;) {
        auto typed = platform_.inputBox(kValuePrompt, kInputBoxTitle);
        // Cancel ends the conversion: formula, factor and answer keep the last result, while one
        // names the entry chosen and entry keeps the last text typed, refused or not.
        if (!typed) {
            if (formLoad_)
                formLoad_();
            return;
        }
        entry = std::move(*typed);
        if (readNumber(entry))
            break;
        platform_.messageBox(kNotNumericMessage);
    }
    Convert(one);
}

void ConversionFlow::Convert(float number)
{
    if (const CatalogueRow* row = findRow(number)) {
        formula = row->formula;
        factor = row->factor;
        note_ = row->note;
    }
    // entry holds the value List1_Click accepted; a text that is not a number counts as 0.
    const double product = readNumber(entry).value_or(0.0) * factor;
    if (std::isfinite(product)) {
        answer = product;
        platform_.messageBox(answer, formula, note_);
    } else {
        platform_.reportError(kOverflowMessage);
    }
    if (formLoad_)
        formLoad_();
}

} // namespace mensurio
