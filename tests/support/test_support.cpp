// tests/support/test_support.cpp: the shared test environment.
#include "tests/support/test_support.h"

#include "platform/base/abandon.h"
#include "platform/base/prompt.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <future>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

namespace test_support {
namespace {

std::string g_root;
CPromptScript g_prompt;
int g_folders = 0;

} // namespace

void SetUp()
{
    char pattern[] = "/tmp/ardenvel-test-XXXXXX";
    const char* made = mkdtemp(pattern);
    if (!made) {
        std::perror("mkdtemp");
        std::exit(2);
    }
    g_root = made;
    for (const char* sub : {"config", "data", "tmp"})
        std::filesystem::create_directories(g_root + "/" + sub);
    setenv("XDG_CONFIG_HOME", (g_root + "/config").c_str(), 1);
    setenv("XDG_DATA_HOME", (g_root + "/data").c_str(), 1);
    setenv("TMPDIR", (g_root + "/tmp").c_str(), 1);
    g_prompt.SetOnUnanswered([](const std::string& text) {
        ADD_FAILURE() << "A message box was shown with no answer queued: " << text;
    });
    SetPrompt(&g_prompt);
    // As the window layer does: the message in a stop box.
    SetOutOfMemoryReport(
        [](const std::string& message) { MessageBox(message, MB_OK | MB_ICONSTOP); });
}

void TearDown()
{
    SetPrompt(nullptr);
    std::error_code ignored;
    if (!g_root.empty())
        std::filesystem::remove_all(g_root, ignored);
}

CPromptScript& Prompt()
{
    return g_prompt;
}

const std::string& TempDir()
{
    return g_root;
}

std::string NewFolder(std::string_view name)
{
    const std::string path = g_root + "/" + std::string(name) + "-" + std::to_string(++g_folders);
    std::filesystem::create_directories(path);
    return path;
}

std::string WriteFile(const std::string& path, std::string_view bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return path;
}

std::string MakePipe(const std::string& path)
{
    EXPECT_EQ(mkfifo(path.c_str(), 0600), 0) << path;
    return path;
}

bool ReturnsWithoutWaitingOnPipe(const std::string& path, const std::function<void()>& step)
{
    using namespace std::chrono_literals;
    std::future<void> done = std::async(std::launch::async, step);
    bool waited = false;
    while (done.wait_for(waited ? 100ms : 5s) != std::future_status::ready) {
        waited = true;
        // Opened for reading and writing, the pipe has both ends for a moment: a waiting open
        // goes on, and a read then finds the end of the pipe.
        const int bothEnds = open(path.c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
        if (bothEnds >= 0)
            close(bothEnds);
    }
    done.get();
    return !waited;
}

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

std::string DataPath(std::string_view relative)
{
    return std::string(ARDENVEL_TEST_DATA) + "/" + std::string(relative);
}

std::vector<std::string> TextsOf(const std::vector<CPromptScript::Shown>& shown)
{
    std::vector<std::string> texts;
    for (const CPromptScript::Shown& box : shown)
        texts.push_back(box.text);
    return texts;
}

} // namespace test_support
