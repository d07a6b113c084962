#pragma once

#include "numbers.h"

#include <optional>
#include <string>
#include <string_view>

namespace mensurio {

// The title a message box carries when it is given none of its own.
inline constexpr std::string_view kApplicationTitle = "Calvero1";

// The services the program takes from its platform: modal boxes, error reports and the end of
// the program, built on Qt widgets.
class Platform {
public:
    virtual ~Platform() = default;

    // A modal box with a prompt, a text field, OK and Cancel. Returns the typed text on OK and
    // nothing when the user cancelled (Cancel, Esc or the close box).
    virtual std::optional<std::string> inputBox(std::string_view prompt,
                                                std::string_view title) = 0;

    // A modal box with OK only and, where there is one, a note under the prompt; returns when it
    // is closed.
    virtual void messageBox(std::string_view prompt, std::string_view title,
                            std::string_view note) = 0;

    // A run-time error that ends the operation it stopped (a conversion whose product is no
    // number): a modal box tells the user, and the program goes on.
    virtual void reportError(std::string_view message) = 0;

    // Ends the program with status 0. The call returns to the handler that made it, which runs
    // on; nothing that handler queues is handled, a box it opens afterwards returns at once, and
    // every window closes with the program.
    virtual void endProgram() = 0;

    void messageBox(std::string_view prompt) { messageBox(prompt, kApplicationTitle, {}); }
    void messageBox(double prompt, std::string_view title, std::string_view note)
    {
        messageBox(formatNumber(prompt), title, note);
    }
};

} // namespace mensurio
