// A file batch runs the desktop's operation only when its names and its
// operation make sense together, and then with every name listed.
#include "shell/CFileBatch.h"

#include "doubles/RecordingShellFiles.h"

#include <gtest/gtest.h>

using namespace platform;

namespace {

TEST(CFileBatchTest, RunsOnlyWhatMakesSenseWithEveryNameListed)
{
    struct Case {
        const char* name;
        unsigned function; // 0: never set, 100: set as 0
        std::vector<std::string> sources, destinations;
        bool runs;
    };
    const std::vector<Case> cases = {
        {"no operation set", 0, {"a"}, {"d"}, false},
        {"an operation numbered 0", 100, {"a"}, {"d"}, false},
        {"an operation past the last", FO_RENAME + 1, {"a"}, {"d"}, false},
        {"no source", FO_COPY, {}, {"d"}, false},
        {"a copy without a destination", FO_COPY, {"a"}, {}, false},
        {"a copy into one folder", FO_COPY, {"a", "b"}, {"d"}, true},
        {"a destination for each source", FO_MOVE, {"a", "b"}, {"c", "d"}, true},
        {"more destinations than sources", FO_RENAME, {"a"}, {"c", "d"}, false},
        {"fewer destinations than sources", FO_MOVE, {"a", "b", "e"}, {"c", "d"}, false},
        {"a delete needs no destination", FO_DELETE, {"a"}, {}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RecordingShellFiles files;
        CFileBatch batch(files);
        for (const std::string& s : c.sources) batch.AddSource(s);
        for (const std::string& d : c.destinations) batch.AddDestination(d);
        if (c.function != 0) batch.SetOperation(c.function == 100 ? 0 : c.function, CFileBatch::Switches{});
        bool started = false, aborted = false;
        int result = -1;
        EXPECT_EQ(c.runs ? 1 : 0, batch.Run(started, result, aborted));
        EXPECT_EQ(c.runs, started);
        ASSERT_EQ(c.runs ? 1u : 0u, files.runs.size());
        if (!c.runs) continue;
        std::string from;
        for (const std::string& s : c.sources) from += s + '\0';
        EXPECT_EQ(from + '\0', files.runs[0].from);
        const bool several = c.destinations.size() > 1;
        EXPECT_EQ(several ? unsigned(FOF_MULTIDESTFILES) : 0u, files.runs[0].flags & FOF_MULTIDESTFILES);
    }
    // The operation's answer: 0 is success, anything else a failure.
    RecordingShellFiles files;
    files.result = FILE_ERROR_CANCELLED;
    CFileBatch batch(files);
    batch.AddSource("a");
    batch.AddDestination("d");
    batch.SetOperation(FO_COPY, CFileBatch::Switches{});
    bool started = false, aborted = false;
    int result = 0;
    EXPECT_EQ(0, batch.Run(started, result, aborted));
    EXPECT_TRUE(started && aborted);
    EXPECT_EQ(FILE_ERROR_CANCELLED, result);
}

} // namespace
