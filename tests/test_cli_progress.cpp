#include <gtest/gtest.h>

#include <sstream>
#include <thread>

#include "KxCConsoleProgress.h"

namespace {

TEST(ConsoleProgress, RedrawsOneLineAndEndsItAtTheMaximum)
{
    std::ostringstream out;
    KxCli::KxCConsoleProgress bar(out, 10);
    bar.ProgressBar_Init("Reading keyframe files...", 0, 4, 0);
    bar.ProgressBar_Update("Reading keyframe files...", 2);
    bar.ProgressBar_Update("Read keyframe files done", 4);
    EXPECT_EQ(out.str(),
              "\rReading keyframe files... [..........]   0%"
              "\rReading keyframe files... [#####.....]  50%"
              "\rRead keyframe files done [##########] 100%\n");
}

TEST(ConsoleProgress, CallsFromManyThreadsKeepWholeLines)
{
    std::ostringstream out;
    KxCli::KxCConsoleProgress bar(out, 4);
    bar.ProgressBar_Init("x", 0, 1000, 0);
    std::vector<std::thread> workers;
    for (int t = 0; t < 4; ++t)
        workers.emplace_back([&bar] {
            for (int i = 0; i < 200; ++i) bar.ProgressBar_Update("x", i);
        });
    for (auto& w : workers) w.join();
    const std::string s = out.str();
    // Every redraw is "\rx [....]   N%": 801 of them, none interleaved.
    EXPECT_EQ(std::count(s.begin(), s.end(), '\r'), 801);
    EXPECT_EQ(std::count(s.begin(), s.end(), '%'), 801);
}

} // namespace
