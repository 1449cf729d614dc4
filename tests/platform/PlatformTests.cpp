#include "platform/ProcessInfo.h"
#include "platform/ScriptedUiServices.h"

#include <gtest/gtest.h>

#include <vector>

using namespace orv;

TEST(ScriptedUiServices, AnswersFromTheQueueThenWithTheFirstButton)
{
    TScriptedUiServices ui;
    ui.queueAnswer("no");
    EXPECT_EQ(ui.showMessage("c", "t", TUiServices::Icon::Question, TUiServices::Buttons::YesNo),
              TUiServices::Answer::No);
    EXPECT_EQ(ui.showMessage("c", "t", TUiServices::Icon::Question, TUiServices::Buttons::YesNoCancel),
              TUiServices::Answer::Yes);
    EXPECT_EQ(ui.showMessage("c", "t", TUiServices::Icon::Information, TUiServices::Buttons::OkCancel),
              TUiServices::Answer::Ok);

    ui.queueAnswer("report.pdf");
    EXPECT_EQ(ui.saveFileName("Save", "*.pdf", "x.pdf"), std::optional<std::string>("report.pdf"));
    ui.queueAnswer("Cancel");
    EXPECT_FALSE(ui.openFileName("Open", "*", "."));
    EXPECT_FALSE(ui.openFileName("Open", "*", "."));

    std::vector<std::string> heard;
    ui.setListener([&](const TScriptedUiServices::Shown& shown) { heard.push_back(shown.kind + ":" + shown.text); });
    ui.openDocument("out.pdf");
    EXPECT_EQ(heard, std::vector<std::string>{"document:out.pdf"});
    ASSERT_EQ(ui.shown().size(), 7u);
    EXPECT_EQ(ui.shown()[3].kind, "save");
}

TEST(ProcessInfo, ReadsThisSystemsFigures)
{
    const MemoryStatus status = readMemoryStatus();
    EXPECT_GT(status.totalPhysical, 0);
    EXPECT_GE(status.totalPageFile, status.totalPhysical);
    EXPECT_GT(status.availableVirtual, 0);
    EXPECT_LT(status.availableVirtual, status.totalVirtual);

    const auto counters = readProcessCounters();
    ASSERT_TRUE(counters);
    EXPECT_GT(counters->workingSet, 0);
    EXPECT_GE(counters->peakWorkingSet, counters->workingSet);
    EXPECT_EQ(counters->pagedPool, 0);

    EXPECT_NE(currentThreadId(), 0);
    const std::string os = operatingSystemLine();
    EXPECT_NE(os.find(" (Build "), std::string::npos);
    EXPECT_NE(os.find("Linux"), std::string::npos);
}
