// The two logo movies at start-up: played one after the other, a left click
// ends the one playing, a movie that cannot be opened is skipped.
#include "game/GameFixture.h"

#include "support/TestInput.h"

namespace {

constexpr int16_t MOVIE_FRAMES = 20;

// Counts the frames each movie reached from its closing line.
std::vector<int> ClosedAtFrames(const std::vector<std::string>& Log)
{
    std::vector<int> Frames;
    const std::string Prefix = "Movie Closed at ";
    for (const std::string& Line : Log)
        if (Line.rfind(Prefix, 0) == 0)
            Frames.push_back(atoi(Line.c_str() + Prefix.size()));
    return Frames;
}

// A clock that clicks the left button once, when the first movie has shown a few frames.
class ClickingPlatform : public VirtualClockPlatform {
public:
    void Delay(uint32_t nMilliseconds) override
    {
        VirtualClockPlatform::Delay(nMilliseconds);
        if (m_bArmed && !m_bClicked && Korvid.MovieOpen() && Korvid.MovieFrame() >= 4) {
            m_bClicked = true;
            InjectClick(SDL_BUTTON_LEFT, 10, 10);
        }
    }
    bool m_bArmed = false;
    bool m_bClicked = false;
};

class LogoMovies : public gametest::GameStart {
protected:
    void SetUp() override
    {
        GameStart::SetUp();
        for (const char* szMovie : {"ostra", "velmora"})
            WriteFileBytes(GamePath(std::string("data/gfx/") + szMovie + ".kva"),
                           gametest::RawKva(32, 16, MOVIE_FRAMES, 40));
        Korvid.SetPlatform(&m_Clicking);
    }
    void TearDown() override
    {
        GameStart::TearDown();
        Korvid.SetPlatform(&m_Platform);
    }
    ClickingPlatform m_Clicking;
};

TEST_F(LogoMovies, BothPlayToTheirEnd)
{
    ASSERT_TRUE(StartGame());
    EXPECT_EQ(ClosedAtFrames(LogMessages()), (std::vector<int>{MOVIE_FRAMES, MOVIE_FRAMES}));
}

TEST_F(LogoMovies, ALeftClickDuringTheFirstSkipsToTheSecond)
{
    m_Clicking.m_bArmed = true;
    ASSERT_TRUE(StartGame());
    EXPECT_TRUE(m_Clicking.m_bClicked);
    std::vector<int> Frames = ClosedAtFrames(LogMessages());
    ASSERT_EQ(Frames.size(), 2u);
    EXPECT_GE(Frames[0], 4);
    EXPECT_LT(Frames[0], MOVIE_FRAMES);
    EXPECT_EQ(Frames[1], MOVIE_FRAMES);
    // The click was used up by the movie: the game's mouse queue is empty.
    EXPECT_EQ(Korvid.PeekMouseEvent().nType, KOR_EVENT_NONE);
}

TEST_F(LogoMovies, AMovieThatCannotBeOpenedIsSkipped)
{
    RemoveFile("data/gfx/ostra.kva");
    ASSERT_TRUE(StartGame());
    std::vector<std::string> Log = LogMessages();
    EXPECT_TRUE(ContainsInOrder(Log, {"Korvid: Failed to Open Movie 'data/gfx/ostra.kva'",
                                      "Frames, 20, 32x16 25fps", "---- Game Setup Good ----"}));
    EXPECT_EQ(ClosedAtFrames(Log), (std::vector<int>{MOVIE_FRAMES}));
}

}  // namespace
