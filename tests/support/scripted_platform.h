#pragma once

#include "platform/platform.h"

#include <deque>
#include <stdexcept>
#include <string>
#include <vector>

namespace mensurio::testing {

// A platform whose input boxes are answered from a queue (nullopt: Cancel) and whose boxes are
// recorded as "I" (input), "M:text@title" (message) and "X:text@title" (error), so the flow can be
// driven without widgets.
class ScriptedPlatform : public Platform {
public:
    using Platform::messageBox;

    std::optional<std::string> inputBox(std::string_view prompt, std::string_view title) override
    {
        const bool usual = prompt == "Enter a value" && title == "Mensurio input box";
        shown.push_back(usual ? "I" : "I:" + std::string(prompt) + "@" + std::string(title));
        if (answers.empty())
            throw std::logic_error("an input box opened with no answer left in the script");
        auto answer = std::move(answers.front());
        answers.pop_front();
        return answer;
    }
    void messageBox(std::string_view prompt, std::string_view title) override
    {
        shown.push_back("M:" + std::string(prompt) + "@" + std::string(title));
    }
    void reportError(std::string_view message) override
    {
        shown.push_back("X:" + std::string(message) + "@Calvero1");
    }
    void endProgram() override {}

    std::deque<std::optional<std::string>> answers;
    std::vector<std::string> shown;
};

} // namespace mensurio::testing
