#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace mensurio {

class Platform;

// A click on a formula: ask for a value until it is numeric (or the user cancels), select the
// catalogue row, multiply, and show the product in a box titled with the formula.
//
// The five variables belong to the main window, which owns this object; they are never reset, so
// each keeps its value from one conversion to the next.
class ConversionFlow {
public:
    // formLoad runs at the end of every conversion, to bring the main window back.
    explicit ConversionFlow(Platform& platform, std::function<void()> formLoad = {});

    // listIndex is the 0-based selected position, or -1 when nothing is selected.
    void List1_Click(int listIndex);
    void Convert(float number);

    float one = 0.0f;
    std::string entry;
    std::string formula;
    double factor = 0.0;
    double answer = 0.0;

private:
    Platform& platform_;
    std::function<void()> formLoad_;
    std::string_view note_; // the note of the row that formula and factor came from
};

inline constexpr const char* kValuePrompt = "Enter a value";
inline constexpr const char* kInputBoxTitle = "Mensurio input box";
inline constexpr const char* kNotNumericMessage = "Enter a value.";
inline constexpr const char* kOverflowMessage = "Overflow: the result is too large to show.";

} // namespace mensurio
