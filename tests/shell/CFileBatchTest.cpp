#include "shell/CFileBatch.h"

#include "doubles/RecordingShellFiles.h"

#include <gtest/gtest.h>

using namespace platform;

namespace {

struct Outcome {
    int returned;
    bool started;
};

Outcome RunBatch(RecordingShellFiles& files, int function, int sources, int destinations)
{
    CFileBatch batch(files);
    for (int i = 0; i < sources; ++i) batch.AddSource("s" + std::to_string(i));
    for (int i = 0; i < destinations; ++i) batch.AddDestination("d" + std::to_string(i));
    if (function) batch.SetOperation(unsigned(function), {});
    bool started = true, aborted = false;
    int result = -1;
    const int returned = batch.Run(started, result, aborted);
    return {returned, started};
}

TEST(CFileBatchTest, RunsOnlyABatchThatMakesSense)
{
    struct Case {
        int function, sources, destinations;
        bool runs;
    };
    const Case cases[] = {
        {0, 1, 1, false},         // never configured
        {5, 1, 1, false},         // no such function
        {FO_COPY, 0, 1, false},   // nothing to copy
        {FO_COPY, 2, 0, false},   // nowhere to copy to
        {FO_MOVE, 3, 2, false},   // neither one destination nor one each
        {FO_COPY, 3, 1, true},    // all into one
        {FO_RENAME, 2, 2, true},  // one each
        {FO_DELETE, 1, 0, true},  // delete needs no destination
        {FO_DELETE, 0, 0, false}, // but something to delete
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.function << " " << c.sources << " -> " << c.destinations);
        RecordingShellFiles files;
        const Outcome outcome = RunBatch(files, c.function, c.sources, c.destinations);
        EXPECT_EQ(c.runs, outcome.started);
        EXPECT_EQ(c.runs ? 1 : 0, outcome.returned);
        ASSERT_EQ(c.runs ? 1u : 0u, files.runs.size());
        if (!c.runs) continue;
        const FileOperation& run = files.runs[0];
        EXPECT_EQ(unsigned(c.function), run.function);
        EXPECT_EQ(c.destinations > 1, (run.flags & FOF_MULTIDESTFILES) != 0);
        EXPECT_EQ(c.function == FO_DELETE ? std::string() : std::string(c.destinations == 1 ? "d0\0\0" : "d0\0d1\0\0",
                                                                        c.destinations == 1 ? 4 : 7),
                  run.to);
    }
}

TEST(CFileBatchTest, HandsOnTheNamesTheSwitchesAndTheOperationsOutcome)
{
    RecordingShellFiles files;
    files.result = FILE_ERROR_CANCELLED;
    files.abort = true;
    CFileBatch batch(files);
    batch.AddSource("/cd/FLC/*.flc");
    batch.AddSource("/cd/extra.flc");
    batch.AddDestination("/home/me/AnimCD/");
    CFileBatch::Switches switches;
    switches.silent = switches.allowUndo = switches.renameOnCollision = true;
    batch.SetOperation(FO_COPY, switches);
    bool started = false, aborted = false;
    int result = 0;
    EXPECT_EQ(0, batch.Run(started, result, aborted));
    EXPECT_TRUE(started);
    EXPECT_TRUE(aborted);
    EXPECT_EQ(FILE_ERROR_CANCELLED, result);
    ASSERT_EQ(1u, files.runs.size());
    EXPECT_EQ(std::string("/cd/FLC/*.flc\0/cd/extra.flc\0\0", 29), files.runs[0].from);
    EXPECT_EQ(unsigned(FOF_SILENT | FOF_ALLOWUNDO | FOF_RENAMEONCOLLISION), files.runs[0].flags);

    CFileBatch::Switches others;
    others.filesOnly = others.noConfirmation = others.noConfirmMkdir = others.simpleProgress = true;
    batch.SetOperation(FO_COPY, others);
    files.result = 0;
    files.abort = false;
    EXPECT_EQ(1, batch.Run(started, result, aborted));
    EXPECT_FALSE(aborted);
    EXPECT_EQ(unsigned(FOF_FILESONLY | FOF_NOCONFIRMATION | FOF_NOCONFIRMMKDIR | FOF_SIMPLEPROGRESS),
              files.runs[1].flags);
}

} // namespace
