#pragma once

#include "platform/platform.h"

#include <deque>
#include <stdexcept>
#include <string>
#include <vector>

namespace mensurio::testing {

// A platform whose input boxes are answered from a queue and whose boxes are recorded, so the
// flow can be driven without widgets. nullopt in the queue answers an input box with Cancel.
class ScriptedPlatform : public Platform {
public:
    enum class Kind { Input, Message, Error };
    struct Box {
        Kind kind;
        std::string prompt;
        std::string title;
        bool operator==(const Box&) const = default;
    };

    using Platform::messageBox;

    std::optional<std::string> inputBox(std::string_view prompt, std::string_view title) override
    {
        shown.push_back({Kind::Input, std::string(prompt), std::string(title)});
        if (answers.empty())
            throw std::logic_error("an input box opened with no answer left in the script");
        auto answer = std::move(answers.front());
        answers.pop_front();
        return answer;
    }
    void messageBox(std::string_view prompt, std::string_view title) override
    {
        shown.push_back({Kind::Message, std::string(prompt), std::string(title)});
    }
    void reportError(std::string_view message) override
    {
        shown.push_back({Kind::Error, std::string(message), std::string(kApplicationTitle)});
    }
    void endProgram() override { ++ends; }

    std::deque<std::optional<std::string>> answers;
    std::vector<Box> shown;
    int ends = 0;
};

} // namespace mensurio::testing
