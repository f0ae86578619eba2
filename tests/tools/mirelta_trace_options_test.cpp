// The trace runner's command line, run as a user runs it.

#include "tests/support/command_run.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <unistd.h>

namespace {

struct TraceRun {
    int status;
    std::string out;     // standard output and standard error together
    std::string endLine; // the line "end …" of a session played to its end
};

// An empty program folder: the session plays the standard suggestion chosen by default.
class ProgramFolder {
public:
    ProgramFolder()
        : path_(std::filesystem::temp_directory_path() /
                ("mirelta-trace-options-" + std::to_string(::getpid()))) {
        std::filesystem::create_directories(path_ / "Text");
    }
    ~ProgramFolder() { std::filesystem::remove_all(path_); }
    std::string path() const { return path_.string(); }
    void write(const std::string& relative, const std::string& bytes) const {
        std::ofstream(path_ / relative, std::ios::binary) << bytes;
    }

private:
    std::filesystem::path path_;
};

TraceRun trace(const std::string& arguments) {
    const mirelta::test::CommandRun run = mirelta::test::runCommand(MIRELTA_TRACE_PATH, arguments);
    std::string ending;
    for (std::size_t start = 0; start < run.out.size();) {
        const std::size_t end = std::min(run.out.find('\n', start), run.out.size());
        if (run.out.compare(start, 4, "end ") == 0) {
            ending = run.out.substr(start, end - start);
        }
        start = end + 1;
    }
    return {run.status, run.out, ending};
}

} // namespace

// 640 x 480 is a real screen, and nothing in a session needs a larger one: every window size
// above 0 plays the session to its end. A size that is refused says why, and the usage line says
// what is accepted.
TEST(MireltaTraceWindow, AnySizeAbove0PlaysAndARefusedOneSaysWhy) {
    const ProgramFolder folder;
    for (const char* size : {"640x480", "1x1"}) {
        const TraceRun run = trace("--folder " + folder.path() + " --window " + size);
        EXPECT_EQ(run.status, 0) << size << "\n" << run.out.substr(0, 400);
        EXPECT_EQ(run.endLine, "end 19 29") << size;
    }
    for (const char* size : {"0x480", "640x-1", "640", "axb"}) {
        const TraceRun run = trace("--folder " + folder.path() + " --window " + size);
        EXPECT_EQ(run.status, 2) << size;
        EXPECT_NE(run.out.find(std::string("--window ") + size + ": the width and the height"),
                  std::string::npos)
            << run.out;
        EXPECT_NE(run.out.find("any width and height above 0"), std::string::npos) << run.out;
    }
}

// The gentle session is the same suggestion as the full one: the same letters, word rows,
// phrases, photo and pictures at the same moments, the rings at the same places; only the
// colours differ (the passes over the background and the rings' colours).
TEST(MireltaTraceGentle, PlaysTheSameEventsInOtherColours) {
    const ProgramFolder folder;
    // "Один": "Я могу", played once.
    folder.write("Text/\xd0\x9e\xd0\xb4\xd0\xb8\xd0\xbd.txt",
                 ">\r\n@1#1%$0&10@\r\n\xdf \xec\xee\xe3\xf3\r\n<\r\n");
    folder.write("polufabu.ini",
                 "[TMirelta]\r\nChperson_Checked=True\r\nCperson_Text=\xce\xe4\xe8\xed\r\n"
                 "Epov_Text=1\r\nCbuk_Checked=True\r\n");
    const TraceRun full = trace("--folder " + folder.path());
    const TraceRun gentle = trace("--folder " + folder.path() + " --gentle");
    ASSERT_EQ(full.status, 0) << full.out.substr(0, 400);
    ASSERT_EQ(gentle.status, 0) << gentle.out.substr(0, 400);
    EXPECT_EQ(gentle.endLine, full.endLine);
    // Colours left out: the checksum of a pass, the colour of a ring.
    const auto events = [](const std::string& out, int& coloured) {
        std::string kept;
        coloured = 0;
        for (std::size_t start = 0; start < out.size();) {
            const std::size_t end = std::min(out.find('\n', start), out.size());
            std::string line = out.substr(start, end - start);
            start = end + 1;
            if (line.rfind("pass ", 0) == 0 || line.rfind("grey ", 0) == 0) {
                line = line.substr(0, 6);
                ++coloured;
            } else if (line.rfind("ring ", 0) == 0) {
                line = line.substr(0, line.rfind(' '));
                ++coloured;
            } else if (line == "gentle" || line == "held") {
                continue;
            }
            kept += line + '\n';
        }
        return kept;
    };
    int fullColoured = 0;
    int gentleColoured = 0;
    EXPECT_EQ(events(gentle.out, gentleColoured), events(full.out, fullColoured));
    EXPECT_GT(fullColoured, 100);
    EXPECT_NE(gentle.out.find("\ngentle\n"), std::string::npos);
    EXPECT_EQ(full.out.find("gentle"), std::string::npos);
    EXPECT_NE(gentle.out, full.out);
}
