// database/nodes/outcome.h: what an engine step came to, for the window that asked it. The engine
// shows nothing itself; the window words nothing itself.
#pragma once

#include <string>
#include <utility>

/// Whether the step was done, and the message the window then shows in an OK box (empty: nothing
/// to tell). A step that must ask first answers its question with nothing changed, and goes on
/// when called again with the question accepted.
struct EngineOutcome {
    bool done = false;
    std::string message;
    std::string question;

    /// Done, with a message to tell or none.
    static EngineOutcome Done(std::string message = {}) { return {true, std::move(message), {}}; }
    /// Not done, with the message that says why.
    static EngineOutcome Refused(std::string message) { return {false, std::move(message), {}}; }
    /// Not done yet: the question to ask first.
    static EngineOutcome Ask(std::string question) { return {false, {}, std::move(question)}; }

    bool IsQuestion() const { return !question.empty(); }
    explicit operator bool() const { return done; }
};
