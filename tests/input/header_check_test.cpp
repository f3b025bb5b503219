// The header check: title and roadway recognition, and every way a file can
// fail before its data is read.
#include <string>

#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstring>
#include <future>
#include <thread>
#endif

#include "input/reader_messages.h"
#include "reader_fixture.h"

namespace corvane::test {
namespace {

using InputHeaderCheck = ReaderTest;

const std::string kOnePoint = UndividedPoint("10+00", "CL", "0.00", "100.00");

TEST_F(InputHeaderCheck, TitleIgnoresFirstCharacterCaseAndSurroundingSpaces) {
    for (const std::string title :
         {" PAVING GRADES REPORT,", "\"paving grades report ,", "x  Paving Grades Report  ,x",
          "\xEF\xBB\xBFPAVING GRADES REPORT,", "\xEF\xBB\xBF PAVING GRADES REPORT,,,"}) {
        SCOPED_TRACE(title);
        messages.shown.clear();
        EXPECT_EQ(Read(title + "\nline 2\nUNDIVIDED,\n" + kOnePoint), ReadOutcome::Read);
        EXPECT_TRUE(messages.shown.empty());
        EXPECT_EQ(Undivided(0).PointCode[0], "CL");
    }
}

TEST_F(InputHeaderCheck, WrongTitleIsInvalidFileTypeAndChangesNothing) {
    ASSERT_EQ(Read(kUndividedHeader + kOnePoint), ReadOutcome::Read);
    settings.RoadwayType = "sentinel";
    // The first character is not part of the title, so a title flush left loses its P.
    for (const std::string title : {"PAVING GRADES REPORT,", " PAVING GRADE REPORT,", ",PAVING"}) {
        SCOPED_TRACE(title);
        messages.shown.clear();
        EXPECT_EQ(Read(title + "\n2\nDIVIDED,\n"), ReadOutcome::Rejected);
        EXPECT_EQ(messages.shown, std::vector<std::string>{kInvalidFileType});
        EXPECT_EQ(settings.RoadwayType, "sentinel");
        EXPECT_EQ(Undivided(0).PointCode[0], "CL");  // the earlier book's tables stay
    }
}

TEST_F(InputHeaderCheck, RoadwayLineChoosesTheReader) {
    struct Case {
        std::string roadway_line;
        std::string type;
    };
    for (const Case& c : {Case{"DIVIDED,,,", kDivided}, Case{"  divided ,x", kDivided},
                          Case{"Divided,", kDivided}, Case{"UNDIVIDED,", kUndivided},
                          Case{"TWO-WAY,DIVIDED", kUndivided}, Case{",DIVIDED", kUndivided}}) {
        SCOPED_TRACE(c.roadway_line);
        EXPECT_EQ(Read(" PAVING GRADES REPORT,\n2\n" + c.roadway_line + "\n"), ReadOutcome::Read);
        EXPECT_EQ(settings.RoadwayType, c.type);
    }
}

// Each case: the file's bytes and a part of the description the message must carry.
struct BrokenHeader {
    std::string content;
    std::string described;
};

TEST_F(InputHeaderCheck, UnreadableHeadersStopTheRunWithAProgramError) {
    for (const BrokenHeader& c : {
             BrokenHeader{"", "has fewer than three lines"},
             BrokenHeader{" PAVING GRADES REPORT,\nonly two\n", "has fewer than three lines"},
             BrokenHeader{" PAVING GRADES REPORT\n2\nUNDIVIDED,\n", "the title line of"},
             BrokenHeader{" PAVING GRADES REPORT,\n2\nUNDIVIDED\n" + kOnePoint,
                          "the roadway line (line 3) of"},
             BrokenHeader{std::string(10 * 1024 * 1024, 'A') + ",\n2\n3,\n", "line 1 of"},
         }) {
        SCOPED_TRACE(c.described);
        messages.shown.clear();
        settings.RoadwayType.clear();
        EXPECT_EQ(Read(c.content), ReadOutcome::Rejected);
        ASSERT_EQ(messages.shown.size(), 1u);
        const std::string& text = messages.shown[0];
        EXPECT_EQ(text.rfind("Program Error : ", 0), 0u) << text;
        EXPECT_NE(text.find(c.described), std::string::npos) << text;
        EXPECT_TRUE(text.ends_with(" occured in GpkBlueTops")) << text;
        EXPECT_TRUE(settings.RoadwayType.empty());
        EXPECT_TRUE(TablesAreEmpty());
    }
}

TEST_F(InputHeaderCheck, MissingFileNamesTheFileAndTheSystemReason) {
    const std::string path = (folder_ / "gone.csv").string();
    EXPECT_EQ(ReadFile(path), ReadOutcome::Rejected);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0], "Program Error : cannot open " + path +
                                     " (No such file or directory) occured in GpkBlueTops");
}

#ifndef _WIN32  // named pipes of this kind are a POSIX file type
// How long a named-pipe test waits for a reader or a writer before it gives up.
constexpr std::chrono::seconds kPipePatience{5};

// Writes `content` into the named pipe at `path` once a reader has opened it,
// giving up when none comes in time.
void FeedPipe(const std::string& path, const std::string& content) {
    sigset_t broken_pipe;  // a reader that leaves early must not end the test run
    sigemptyset(&broken_pipe);
    sigaddset(&broken_pipe, SIGPIPE);
    pthread_sigmask(SIG_BLOCK, &broken_pipe, nullptr);
    const auto deadline = std::chrono::steady_clock::now() + kPipePatience;
    int pipe = -1;
    while ((pipe = open(path.c_str(), O_WRONLY | O_NONBLOCK)) < 0 && errno == ENXIO &&
           std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    if (pipe < 0) {
        return;
    }
    fcntl(pipe, F_SETFL, 0);
    [[maybe_unused]] const ssize_t written = write(pipe, content.data(), content.size());
    close(pipe);
}

// A named pipe can be read only once: the header and the data must come from
// one opening. A second opening would wait for a writer that never comes; the
// test then briefly becomes that writer, so that it fails instead of hanging.
TEST_F(InputHeaderCheck, NamedPipeIsReadWhole) {
    struct Case {
        std::string content;
        std::string roadway;
        std::string last_point_code;
    };
    settings.InputFile = (folder_ / "pipe.csv").string();
    ASSERT_EQ(mkfifo(settings.InputFile.c_str(), 0600), 0) << std::strerror(errno);
    for (const Case& c : {
             Case{kUndividedHeader + kOnePoint, kUndivided, "CL"},
             Case{kDividedHeader + DividedPoint("1+00", "LEFT", "JL", "-5", "90") + kTerminatorRow +
                      DividedPoint("1+00", "RIGHT", "JR", "5", "90") + kTerminatorRow,
                  kDivided, "JR"},
         }) {
        SCOPED_TRACE(c.roadway);
        std::thread writer(FeedPipe, settings.InputFile, c.content);
        auto reading = std::async(std::launch::async,
                                  [&] { return GpkBlueTops(state_tables, settings, messages); });
        const bool finished = reading.wait_for(kPipePatience) == std::future_status::ready;
        if (!finished) {
            close(open(settings.InputFile.c_str(), O_RDWR | O_NONBLOCK));
        }
        writer.join();
        EXPECT_TRUE(finished) << "reading a named pipe does not end";
        EXPECT_EQ(reading.get(), ReadOutcome::Read);
        EXPECT_TRUE(messages.shown.empty());
        EXPECT_EQ(settings.RoadwayType, c.roadway);
        const CrossSection& last = c.roadway == kDivided ? Right(0) : Undivided(0);
        EXPECT_EQ(last.PointCode[0], c.last_point_code);
        EXPECT_EQ(last.LastPoint, 0);
    }
}
#else
TEST_F(InputHeaderCheck, NamedPipeIsReadWhole) {
    GTEST_SKIP() << "Windows has no named pipes in the file system (no mkfifo)";
}
#endif

TEST_F(InputHeaderCheck, BinaryAndUtf16FilesAreNotPavingGradesFiles) {
    std::string binary;
    for (int i = 0; i < 4096; ++i) {
        binary.push_back(static_cast<char>((i * 37) % 256));
    }
    // UTF-16 text, as a spreadsheet's "Unicode text" export writes it.
    std::string utf16 = "\xFF\xFE";
    for (char c : kUndividedHeader + kOnePoint) {
        utf16.push_back(c);
        utf16.push_back('\0');
    }
    for (const std::string& content : {binary, utf16}) {
        messages.shown.clear();
        EXPECT_EQ(Read(content), ReadOutcome::Rejected);
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_TRUE(TablesAreEmpty());
    }
    EXPECT_EQ(messages.shown[0], kInvalidFileType);
}

TEST_F(InputHeaderCheck, ReadsTheShippedSamples) {
    const std::string samples = CORVANE_SAMPLES;
    ASSERT_EQ(ReadFile(samples + "/undivided-sample.csv"), ReadOutcome::Read);
    EXPECT_EQ(settings.RoadwayType, kUndivided);
    // 46 stations, each closed by a separator; the two message rows close their
    // own station, so the separator after each opens one more, empty record.
    EXPECT_EQ(state_tables.StationCount, 48);
    EXPECT_EQ(Undivided(0).LastPoint, 10);
    EXPECT_EQ(Undivided(17).MessageKind, "ERROR");
    EXPECT_EQ(Undivided(18).LastPoint, -1);
    EXPECT_EQ(Undivided(34).MessageKind, "MESSAGE");
    EXPECT_EQ(Undivided(48).LastPoint, -1);

    ASSERT_EQ(ReadFile(samples + "/divided-sample.csv"), ReadOutcome::Read);
    EXPECT_EQ(settings.RoadwayType, kDivided);
    EXPECT_EQ(state_tables.StationCount, 43);
    EXPECT_EQ(Left(0).LastPoint, 5);
    EXPECT_EQ(Left(3).LastPoint, 6);  // with a break point
    EXPECT_EQ(Left(12).MessageKind, "ERROR");
    EXPECT_EQ(Right(12).LastPoint, 5);
    EXPECT_EQ(Right(29).MessageKind, "MESSAGE");
    EXPECT_EQ(Right(43).Station, "1253+00.00 NB");
    EXPECT_TRUE(messages.shown.empty());
}

}  // namespace
}  // namespace corvane::test
