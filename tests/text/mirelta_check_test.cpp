// The command-line checker, run as a user runs it.

#include "tests/support/command_run.h"
#include "text/cp1251.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <unistd.h>

namespace {

using CheckRun = mirelta::test::CommandRun;

// Runs the checker with the arguments (stderr goes into the output after "ERR:").
CheckRun check(const std::string& arguments) {
    return mirelta::test::runCommand(MIRELTA_CHECK_PATH, arguments);
}

class TempFile {
public:
    explicit TempFile(const std::string& utf8)
        : path_(std::filesystem::temp_directory_path() /
                ("mirelta-check-" + std::to_string(::getpid()) + "-" + std::to_string(next_++) +
                 ".txt")) {
        std::ofstream(path_, std::ios::binary) << mirelta::cp1251::fromUtf8(utf8);
    }
    ~TempFile() { std::filesystem::remove(path_); }
    std::string path() const { return path_.string(); }

private:
    std::filesystem::path path_;
    static inline int next_ = 0;
};

} // namespace

TEST(MireltaCheck, EveryStandardSuggestionParsesForBothSexes) {
    for (int item = 0; item < 6; ++item) {
        for (const char* sex : {"m", "f"}) {
            const CheckRun run =
                check("--sex " + std::string(sex) + " --standard " + std::to_string(item));
            EXPECT_EQ(run.status, 0) << item << sex << run.out;
        }
    }
}

TEST(MireltaCheck, AStoppedParseNamesTheLineOfTheFile) {
    // LF line breaks, as a text editor may save them; the long sentence is on line 5.
    const TempFile file("*описание*\n>\n@1#1%$0&10@\nЯ могу\n" + std::string(80, 'a') + "\n<\n");
    const CheckRun run = check(file.path());
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "line 5: В настрое 1 Предложение 2 длиннее 70 знаков\n");
    const TempFile header(">\n@1#1%$0&10@\nа\n@2\nб\n<\n");
    EXPECT_EQ(check(header.path()).out, "line 4: Ошибка\n");
    const TempFile word(">\n@1#1%$0&10@\nЯ абвгдежзикл\n<\n");
    EXPECT_EQ(check(word.path()).out,
              "line 3: В настрое 1 В предложении 1 слово 2\\r длиннее 10 букв\n");
}

TEST(MireltaCheck, DumpWritesBothTablesAndTheOutcome) {
    const TempFile file(">\n@1#2%pic\\a.jpeg$1&20@\nЯ 5\n<\n");
    const CheckRun run = check("--dump --name Ян " + file.path());
    EXPECT_EQ(run.status, 0) << run.out;
    EXPECT_EQ(run.out, "# Tslovo\n"
                       "N\tNnast\tNpred\tNzn\tNslov\tNbuk\tNalf\tBukv\tNspr\tNsprslov\tNstrok\n"
                       "1\t1\t1\t1\t1\t1\t32\tЯ\t33\t3\t4\n"
                       "2\t1\t1\t3\t2\t1\t32\tЯ\t35\t5\t4\n"
                       "3\t1\t1\t4\t2\t2\t14\tН\t36\t6\t4\n"
                       "4\t1\t1\t6\t3\t1\t\t5\t38\t8\t4\n"
                       "# Tschenar\n"
                       "Nnast\tSvet\tFaileiz\tFailezv\tVid\tZad\n"
                       "1\t2\tpic\\a.jpeg\t\t1\t20\n"
                       "# thesisCount\t1\n");

    const TempFile broken(">\n@1#1%$0&10@\nЯ абвгдежзикл\n<\n");
    const CheckRun stopped = check("--dump " + broken.path());
    EXPECT_EQ(stopped.status, 1);
    EXPECT_NE(stopped.out.find("# error\tВ настрое 1 В предложении 1 слово 2\\r длиннее 10 букв\n"),
              std::string::npos)
        << stopped.out;
    EXPECT_EQ(stopped.out.find("# thesisCount"), std::string::npos);
}

TEST(MireltaCheck, UsageErrorsAndUnreadableFilesExitWithTwo) {
    for (const char* arguments : {"", "--standard 6", "--standard x", "--sex x --standard 1",
                                  "--standard 1 some.txt", "--bogus", "--name"}) {
        EXPECT_EQ(check(arguments).status, 2) << arguments;
    }
    EXPECT_EQ(check("/nonexistent/file.txt").status, 2);
    EXPECT_EQ(check(std::filesystem::temp_directory_path().string()).status, 2);
}

// A text's control bytes reach a terminal only as escapes: an ESC could recolour it or move its
// cursor.
TEST(MireltaCheck, ControlBytesOfATextAreEscapedInMessagesAndTheDump) {
    const TempFile picture(">\n@1#1%\x1B[31m$0&10@\nда\x07\n<\n");
    CheckRun run = check("--dump " + picture.path());
    EXPECT_EQ(run.status, 0) << run.out;
    const TempFile colour(">\n@1#\x1B[31m%$0&10@\nда\n<\n");
    const CheckRun failed = check("--dump " + colour.path());
    EXPECT_EQ(failed.status, 1) << failed.out;
    for (const CheckRun& each : {run, failed}) {
        EXPECT_EQ(each.out.find('\x1B'), std::string::npos) << each.out;
        EXPECT_EQ(each.out.find('\x07'), std::string::npos) << each.out;
        EXPECT_NE(each.out.find("\\x1B[31m"), std::string::npos) << each.out;
    }
}
