// The learners of a shared PC: the roster file, where each learner's data
// lives, and the command line a lab's shortcut starts the program with.
#include "core/learners.h"
#include "core/start_options.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

class LearnerRosterTest : public ::testing::Test {
  protected:
    void SetUp() override {
        m_dir = fs::temp_directory_path() / ("orvanta-learners-" + std::to_string(::getpid()));
        fs::remove_all(m_dir);
        fs::create_directories(m_dir / "orvanta");
    }
    void TearDown() override { fs::remove_all(m_dir); }
    std::string file() const { return learnerRosterFile(m_dir.string()); }
    fs::path m_dir;
};

TEST_F(LearnerRosterTest, KeepsLearnersAndTheLastOneAcrossRuns) {
    LearnerRoster roster;
    const std::string first = roster.add("王明").id;
    const std::string second = roster.add("李华").id;
    roster.setLast(second);
    ASSERT_FALSE(roster.save(file()));

    const LearnerRoster again = LearnerRoster::load(file());
    ASSERT_EQ(again.learners().size(), 2u);
    EXPECT_EQ(again.find(first)->name, "王明");
    EXPECT_EQ(again.last()->name, "李华");
}

TEST_F(LearnerRosterTest, TheFirstLearnerOwnsTheDataThatWasThereBefore) {
    LearnerRoster roster;
    const std::string first = roster.add("王明").id;
    const std::string second = roster.add("李华").id;
    EXPECT_EQ(learnerJournalPath(m_dir.string(), first),
              m_dir.string() + "/orvanta/journal.sqlite3");
    EXPECT_EQ(learnerJournalPath(m_dir.string(), second),
              m_dir.string() + "/orvanta/learners/" + second + "/journal.sqlite3");
}

TEST_F(LearnerRosterTest, NamesStayOneEachAndRemovedIdsAreNotReused) {
    LearnerRoster roster;
    roster.add("王明");
    const std::string twin = roster.add("王明").id;
    EXPECT_EQ(roster.find(twin)->name, "王明 2");
    EXPECT_FALSE(roster.rename(twin, "王明"));
    EXPECT_FALSE(roster.rename(twin, "  \t "));
    roster.remove(twin);
    EXPECT_NE(roster.add("李华").id, twin);
}

TEST_F(LearnerRosterTest, AnEditedRosterCannotPointOutsideTheDataFolder) {
    std::ofstream(file()) << "orvanta-learners 1\nlast\t../x\nlearner\t../../etc\tA\n"
                             "learner\t2\tB\xff\nlearner\t3\tC\tD\nlearner\t4\t李华\n";
    const LearnerRoster roster = LearnerRoster::load(file());
    ASSERT_EQ(roster.learners().size(), 1u);
    EXPECT_EQ(roster.learners()[0].name, "李华");
    EXPECT_EQ(roster.last()->id, "4");
}

struct StartCase {
    std::vector<std::string> arguments;
    std::optional<std::string> learner, classFolder, lesson;
    bool error;
};

class StartOptionsTest : public ::testing::TestWithParam<StartCase> {};

TEST_P(StartOptionsTest, ReadsWhatALabShortcutGives) {
    const StartCase& c = GetParam();
    const StartOptions options = parseStartOptions(c.arguments);
    EXPECT_EQ(options.learner, c.learner);
    EXPECT_EQ(options.classFolder, c.classFolder);
    EXPECT_EQ(options.lesson, c.lesson);
    EXPECT_EQ(options.error.has_value(), c.error);
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, StartOptionsTest,
    ::testing::Values(StartCase{{}, {}, {}, {}, false},
                      StartCase{{"ldata\\J01A.ORV"}, {}, {}, "ldata\\J01A.ORV", false},
                      StartCase{{"--learner", "王明", "--class-folder", "/mnt/班级", "/x/a.ORV"},
                                "王明",
                                "/mnt/班级",
                                "/x/a.ORV",
                                false},
                      StartCase{{"--learner=李华", "--class-folder=/s"}, "李华", "/s", {}, false},
                      StartCase{{"--", "--learner"}, {}, {}, "--learner", false},
                      StartCase{{"--learner"}, {}, {}, {}, true},
                      StartCase{{"--colour", "red"}, {}, {}, {}, true},
                      StartCase{{"a.ORV", "b.ORV"}, {}, {}, "a.ORV", true}));

} // namespace
