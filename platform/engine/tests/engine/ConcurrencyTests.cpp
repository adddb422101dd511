// Two processes counting in one row through Edit/Update never hand out the
// same number.
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <set>

#include "EngineTestSupport.h"

using namespace engine;

namespace {

constexpr int kIncrements = 2000;

// Runs in a child process: counts kIncrements times, writing every number
// it handed out into `out`. Returns the exit code.
int countInChild(const std::string& path, const std::string& out) {
    std::ofstream log(out);
    try {
        Engine engine(rt::Regional::english());
        auto db = engine.defaultWorkspace().openDatabase(path);
        auto rs = db->openRecordset("SELECT * FROM IDIncrement WHERE TabelleName = 'Messung'",
                                    RecordsetType::Dynaset);
        for (int i = 0; i < kIncrements; ++i) {
            rs->edit();
            std::int32_t next = rs->value("LastID").longValue() + 1;
            rs->field("LastID") = next;
            rs->update();
            log << next << '\n';
        }
        log.flush();
        return log ? 0 : 3;
    } catch (const rt::Error& e) {
        log << "error " << e.number() << " " << e.description() << '\n';
        return 1;
    }
}

TEST(ConcurrencyTest, TwoProcessesCountingInOneRowNeverCollide) {
    std::string folder = enginetest::freshFolder();
    std::string path = folder + "/Zaehler.mdb";
    {
        Engine engine(rt::Regional::english());
        auto db = engine.defaultWorkspace().createDatabase(path);
        db->execute("CREATE TABLE IDIncrement (OffsetFaktor LONG, TabelleName TEXT(50), LastID LONG)");
        db->execute("INSERT INTO IDIncrement (OffsetFaktor, TabelleName, LastID) VALUES (0, 'Messung', 10000)");
    }
    pid_t children[2];
    for (int c = 0; c < 2; ++c) {
        std::string out = folder + "/numbers" + std::to_string(c) + ".txt";
        pid_t pid = ::fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) ::_exit(countInChild(path, out));
        children[c] = pid;
    }
    for (pid_t pid : children) {
        int status = 0;
        ASSERT_EQ(::waitpid(pid, &status, 0), pid);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "child status " << status;
    }
    std::set<long> seen;
    long total = 0;
    for (int c = 0; c < 2; ++c) {
        std::ifstream in(folder + "/numbers" + std::to_string(c) + ".txt");
        std::string line;
        while (std::getline(in, line)) {
            ASSERT_TRUE(line.find("error") == std::string::npos) << line;
            ++total;
            EXPECT_TRUE(seen.insert(std::stol(line)).second) << "handed out twice: " << line;
        }
    }
    EXPECT_EQ(total, 2 * kIncrements);
    Engine engine(rt::Regional::english());
    auto db = engine.defaultWorkspace().openDatabase(path);
    auto rs = db->openRecordset("SELECT LastID FROM IDIncrement");
    EXPECT_EQ(rs->value(0).longValue(), 10000 + 2 * kIncrements);
    EXPECT_EQ(*seen.rbegin(), 10000 + 2 * kIncrements);
}

} // namespace
