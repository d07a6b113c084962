#pragma once

#include "platform/platform.h"

#include <deque>
#include <stdexcept>
#include <string>
#include <vector>

namespace mensurio {

// A platform without widgets, for tests: input boxes are answered from a queue (nullopt answers
// with Cancel) and every box is recorded as "I" (the usual input box), "M:text@title" (a message)
// or "X:text@title" (an error), so the conversion flow can be driven and checked as text.
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

} // namespace mensurio
