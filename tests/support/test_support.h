// tests/support/test_support.h: what every test program shares: a private folder that the
// configuration, data and temporary folders point into, the scripted prompt, and file helpers.
#pragma once

#include "platform/base/prompt_script.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace test_support {

/// Sets up the private folder and environment and installs the scripted prompt; the test mains
/// call it once before running the tests. A box with no queued answer fails the running test.
void SetUp();
/// Removes the private folder.
void TearDown();

CPromptScript& Prompt();
/// This test program's private folder; XDG_CONFIG_HOME, XDG_DATA_HOME and TMPDIR lie inside it.
const std::string& TempDir();
/// A new empty folder inside TempDir.
std::string NewFolder(std::string_view name);
/// Writes bytes to path (created or truncated) and returns the path.
std::string WriteFile(const std::string& path, std::string_view bytes);
std::string ReadFile(const std::string& path);
/// Makes a named pipe at path, with nobody at either end, and returns the path.
std::string MakePipe(const std::string& path);
/// Whether step returns within a few seconds while the pipe at path has nobody at its other end.
/// A step still waiting then is released by opening the pipe at both ends until it returns, so
/// that the test fails instead of hanging.
bool ReturnsWithoutWaitingOnPipe(const std::string& path, const std::function<void()>& step);
/// The path of a file under tests/data.
std::string DataPath(std::string_view relative);
/// The texts of message boxes, in the order they were shown.
std::vector<std::string> TextsOf(const std::vector<CPromptScript::Shown>& shown);

} // namespace test_support
