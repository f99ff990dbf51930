// Where the user's data lives: beside a writable program, else in the user's own folder.
#include "core/DataFolder.h"
#include "core/FileIo.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <set>

using namespace numora;
using numora::test::ReadAll;
using numora::test::TempDir;
using numora::test::WriteAll;

TEST(DataFolder, UserFolderFromTheEnvironment) {
    struct Case {
        std::map<std::string, std::string> vars;
        std::string folder;
    };
    const Case cases[] = {
#ifdef _WIN32
        {{{"APPDATA", "C:\\Users\\anna\\AppData\\Roaming"}, {"HOME", "C:\\Users\\anna"}},
         "C:\\Users\\anna\\AppData\\Roaming\\Numora\\"},
        {{{"APPDATA", "\\\\server\\anna"}}, "\\\\server\\anna\\Numora\\"},
        {{{"APPDATA", "relativa"}, {"HOME", "C:\\Users\\anna"}}, ""},
        {{{"XDG_DATA_HOME", "C:\\dati"}, {"HOME", "C:\\Users\\anna"}}, ""},
#else
        {{{"XDG_DATA_HOME", "/dati"}, {"HOME", "/home/anna"}}, "/dati/Numora/"},
        {{{"HOME", "/home/anna"}}, "/home/anna/.local/share/Numora/"},
        {{{"XDG_DATA_HOME", "relativa"}, {"HOME", "/home/anna"}}, "/home/anna/.local/share/Numora/"},
        {{{"XDG_DATA_HOME", ""}, {"HOME", "/home/anna"}}, "/home/anna/.local/share/Numora/"},
#endif
        {{}, ""},
    };
    for (const Case& c : cases) {
        auto lookup = [&c](const char* name) -> const char* {
            auto it = c.vars.find(name);
            return it == c.vars.end() ? nullptr : it->second.c_str();
        };
        EXPECT_EQ(UserDataFolder(lookup), c.folder);
    }
}

class ChooseDataFolderTest : public ::testing::Test {
protected:
    TempDir root;
    std::string program = root.file("programma/");
    std::string user = root.file("utente/Numora/");
    std::set<std::string> readOnly; // folders the write test refuses

    void SetUp() override {
        std::filesystem::create_directories(program);
        WriteAll(program + "Numora.ini", "[Generale]\nnotificaaggio=1\n");
        WriteAll(program + "Numora.smo", "smorfia");
        WriteAll(program + "Condizioni.ori", std::string(132, '\1'));
    }
    DataFolderChoice choose(const std::string& userDir) {
        return ChooseDataFolder(program, userDir, [this](const std::string& dir) { return !readOnly.count(dir); });
    }
};

TEST_F(ChooseDataFolderTest, WritableProgramFolderKeepsTheData) {
    const DataFolderChoice c = choose(user);
    EXPECT_EQ(c.folder, program);
    EXPECT_FALSE(c.inUserFolder);
    EXPECT_FALSE(PathExists(user));
}

TEST_F(ChooseDataFolderTest, ReadOnlyProgramFolderMovesToTheUsersFolder) {
    readOnly.insert(program);
    DataFolderChoice c = choose(user);
    EXPECT_EQ(c.folder, user);
    EXPECT_TRUE(c.inUserFolder);
    EXPECT_EQ(c.copied, (std::vector<std::string>{"Numora.ini", "Numora.smo", "Condizioni.ori"}));
    EXPECT_EQ(ReadAll(user + "Numora.smo"), "smorfia");
    EXPECT_TRUE(c.problem.empty());

    // Later starts keep what the user changed; a file missing again comes back.
    WriteAll(user + "Numora.smo", "la mia smorfia");
    RemoveFile(user + "Condizioni.ori");
    c = choose(user);
    EXPECT_EQ(c.copied, (std::vector<std::string>{"Condizioni.ori"}));
    EXPECT_EQ(ReadAll(user + "Numora.smo"), "la mia smorfia");
}

TEST_F(ChooseDataFolderTest, NoUsableUserFolderLeavesTheProgramFolderReadOnly) {
    readOnly.insert(program);
    EXPECT_EQ(choose("").folder, program);
    readOnly.insert(user);
    const DataFolderChoice c = choose(user);
    EXPECT_EQ(c.folder, program);
    EXPECT_FALSE(c.inUserFolder);
    EXPECT_NE(c.problem.find(user), std::string::npos);
    // A file where the folder should be.
    WriteAll(root.file("file"), "x");
    const DataFolderChoice blocked = choose(root.file("file/Numora/"));
    EXPECT_EQ(blocked.folder, program);
    EXPECT_FALSE(blocked.problem.empty());
}
