#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>

#include "pipeline/util/KxCSingleton.h"
#include "pipeline/util/KxCTimer.h"
#include "pipeline/util/KxDebug.h"
#include "pipeline/util/KxPtrVector.h"
#include "pipeline/util/KxRandom.h"
#include "pipeline/util/KxString.h"

using KxUtils::KxCTimer;

namespace {

std::uint32_t g_Now = 0;
std::uint32_t Fake_Clock() { return g_Now; }

class TimerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        timer.set_Clock(&Fake_Clock);
        g_Now = 0;
    }
    KxCTimer timer;
};

TEST_F(TimerTest, ListsLabelsInFirstStartOrderWithSecondsInDefaultFormat)
{
    timer.Start("Create orvane image");
    g_Now = 10;
    timer.Start("Sample");
    g_Now = 1244;
    timer.End("Sample");
    timer.End("Create orvane image");
    testing::internal::CaptureStdout();
    timer.ShowAll();
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "Create orvane image Timing : 1.244\nSample Timing : 1.234\n");
}

TEST_F(TimerTest, RestartMeasuresFromTheSecondStartAndWrapsSafely)
{
    g_Now = 0xFFFFFFF0u;
    timer.Start("Stamp");
    g_Now = 0xFFFFFFFAu;
    timer.Start("Stamp");
    g_Now = 5; // the 32-bit tick counter wrapped
    timer.End("Stamp");
    EXPECT_EQ(timer.Elapsed("Stamp"), 11u);
}

TEST_F(TimerTest, UnknownLabelsPrintNoLabelFoundAndChangeNothing)
{
    timer.Start("Sample");
    testing::internal::CaptureStderr();
    timer.End("Analyze");
    timer.Show("Analyze");
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "KxCTimer::End : no label found\nKxCTimer::ShowTime : no label found\n");
    EXPECT_EQ(timer.Labels(), std::vector<std::string>{"Sample"});
    EXPECT_EQ(timer.Find(""), -1);
}

TEST_F(TimerTest, ClearForgetsEverything)
{
    timer.Start("Sample");
    timer.End("Sample");
    timer.Clear();
    testing::internal::CaptureStdout();
    timer.ShowAll();
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_EQ(timer.Find("Sample"), -1);
}

TEST(DebugMsg, WritesClassFunctionAndMessage)
{
    testing::internal::CaptureStderr();
    Throw_Debug_Msg("Form1", "OrvImg_Sample", "sampler->Sample() failed");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Form1::OrvImg_Sample: sampler->Sample() failed\n");
}

struct Counted {
    static int alive;
    Counted() { ++alive; }
    virtual ~Counted() { --alive; }
};
int Counted::alive = 0;

TEST(PtrVector, DeletesNonNullElementsAndEmpties)
{
    std::vector<Counted*> v{new Counted, nullptr, new Counted};
    KxUtils::Clear_Ptr_Vector(v);
    EXPECT_TRUE(v.empty());
    EXPECT_EQ(Counted::alive, 0);
}

struct Service : KxCSingleton<Service> {
    int value = 7;
};

TEST(Singleton, OneInstancePerType)
{
    Service* a = Service::InstancePtr();
    a->value = 9;
    EXPECT_EQ(Service::InstancePtr(), a);
    EXPECT_EQ(Service::InstancePtr()->value, 9);
}

TEST(FileNames, ExtensionAndPathWithoutExtension)
{
    struct Case {
        const char *name, *ext, *stem;
    } cases[] = {{"model.obj", ".obj", "model"},
                 {"dir/model.OBJ", ".OBJ", "dir/model"},
                 {"noext", "", "noext"},
                 {"dir.d/noext", "", "dir.d/noext"},
                 {"a.b.c", ".c", "a.b"}};
    for (const auto& c : cases) {
        EXPECT_EQ(get_FileExt(c.name), c.ext) << c.name;
        EXPECT_EQ(get_FilePathWithoutExt(c.name), c.stem) << c.name;
    }
}

TEST(MarshalString, Utf16ToUtf8)
{
    std::string out;
    MarshalString(u"Z\u00fcrich \u6f22 \U0001F600", out);
    EXPECT_EQ(out, "Z\xC3\xBCrich \xE6\xBC\xA2 \xF0\x9F\x98\x80");
    MarshalString(std::u16string(1, char16_t(0xD800)), out);
    EXPECT_EQ(out, "\xEF\xBF\xBD");
}

TEST(Random, ClassicSequenceFromSeedOne)
{
    KxUtils::SRand(1);
    const int expected[] = {41, 18467, 6334, 26500, 19169, 15724, 11478, 29358};
    for (int e : expected) EXPECT_EQ(KxUtils::Rand(), e);
}

TEST(Random, ValuesStayInRangeAndReseedingRepeats)
{
    KxUtils::SRand(1024);
    std::vector<int> first;
    for (int i = 0; i < 1000; ++i) first.push_back(KxUtils::Rand());
    EXPECT_GE(*std::min_element(first.begin(), first.end()), 0);
    EXPECT_LE(*std::max_element(first.begin(), first.end()), KxUtils::KX_RAND_MAX);
    KxUtils::SRand(1024);
    for (int v : first) ASSERT_EQ(KxUtils::Rand(), v);
}

TEST(Random, ShuffleIsARepeatablePermutationDrawingOncePerPosition)
{
    std::vector<int> v(100);
    std::iota(v.begin(), v.end(), 0);
    KxUtils::SRand(1024);
    KxUtils::Random_Shuffle(v);
    const int next_after_shuffle = KxUtils::Rand();

    // The same draws by hand: one per position 1..99, swap with R mod (i+1).
    std::vector<int> w(100);
    std::iota(w.begin(), w.end(), 0);
    KxUtils::SRand(1024);
    for (std::size_t i = 1; i < w.size(); ++i) std::swap(w[i], w[KxUtils::Rand() % (i + 1)]);
    EXPECT_EQ(v, w);
    EXPECT_EQ(KxUtils::Rand(), next_after_shuffle);

    std::sort(v.begin(), v.end());
    for (int i = 0; i < 100; ++i) EXPECT_EQ(v[i], i);
}

TEST(Random, ShuffleOfALongListUsesWideDraws)
{
    std::vector<int> v(70000);
    std::iota(v.begin(), v.end(), 0);
    KxUtils::SRand(7);
    KxUtils::Random_Shuffle(v);
    // Positions beyond 32767 must be reachable by the swap partners.
    const auto moved_far = std::count_if(v.begin(), v.begin() + 1000, [](int x) { return x > 40000; });
    EXPECT_GT(moved_far, 0);
    std::sort(v.begin(), v.end());
    EXPECT_TRUE(std::adjacent_find(v.begin(), v.end()) == v.end());
}

} // namespace
