#include "shell/CFileBatch.h"

#include "doubles/RecordingShellFiles.h"

#include <gtest/gtest.h>

using namespace platform;

TEST(CFileBatchTest, RunsOnlyABatchThatMakesSenseAndHandsOnItsOutcome)
{
    struct Case {
        unsigned function;
        int sources, destinations;
        bool runs;
    };
    const Case cases[] = {
        {0, 1, 1, false},       {5, 1, 1, false},       // never configured; no such function
        {FO_COPY, 0, 1, false}, {FO_COPY, 2, 0, false}, // nothing to copy; nowhere to
        {FO_MOVE, 3, 2, false},                         // neither one destination nor one each
        {FO_COPY, 3, 1, true},  {FO_RENAME, 2, 2, true}, {FO_DELETE, 1, 0, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.function << ": " << c.sources << " -> " << c.destinations);
        RecordingShellFiles files;
        files.result = FILE_ERROR_CANCELLED;
        CFileBatch batch(files);
        for (int i = 0; i < c.sources; ++i) batch.AddSource("s" + std::to_string(i));
        for (int i = 0; i < c.destinations; ++i) batch.AddDestination("d" + std::to_string(i));
        if (c.function) batch.SetOperation(c.function, {});
        bool started = !c.runs, aborted = false;
        int result = 0;
        EXPECT_EQ(0, batch.Run(started, result, aborted));
        EXPECT_EQ(c.runs, started);
        ASSERT_EQ(c.runs ? 1u : 0u, files.runs.size());
        if (!c.runs) continue;
        EXPECT_EQ(FILE_ERROR_CANCELLED, result);
        EXPECT_TRUE(aborted);
        EXPECT_EQ(c.destinations > 1, files.runs[0].flags == FOF_MULTIDESTFILES);
        EXPECT_EQ(c.function == FO_DELETE ? "" : std::string(c.destinations == 1 ? "d0\0\0" : "d0\0d1\0\0", c.destinations * 3 + 1),
                  files.runs[0].to);
    }
}
